// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg_messaging.h"

#include "actions/dial_number.h"
#include "links/mail_address.h"
#include "model/kpx_object.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace quillary {

namespace {
constexpr std::string_view FaxPrefix = "FAX:";

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The address a recipient is reached at: its own, or its resolved name.
const std::string& AddressOf(const mapi::Recipient& recipient)
{
    return recipient.address.empty() ? recipient.name : recipient.address;
}

bool IsPlainAddress(const std::string& address)
{
    return IsEMailAddress(address) && !MailAddressProblem(address);
}

// Files are handed over as absolute paths, so a name such as "-x.pdf" can never read as an option.
QString FileArgument(const mapi::File& file)
{
    return QFileInfo(FromUtf8(file.pathName)).absoluteFilePath();
}

bool IsFax(const mapi::Recipient& recipient)
{
    const std::string& address = AddressOf(recipient);
    return address.size() >= FaxPrefix.size() &&
           std::equal(FaxPrefix.begin(), FaxPrefix.end(), address.begin(),
                      [](char a, char b) { return a == (b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b); });
}

// Copy and blind-copy recipients as options, then subject, body and attachments, the main
// recipients last.
QStringList MailArguments(const mapi::Message& message, const std::vector<const mapi::Recipient*>& recipients)
{
    QStringList arguments;
    QStringList to;
    for (const mapi::Recipient* recipient : recipients) {
        const QString address = FromUtf8(AddressOf(*recipient));
        if (recipient->recipClass == mapi::Cc)
            arguments << QStringLiteral("--cc") << address;
        else if (recipient->recipClass == mapi::Bcc)
            arguments << QStringLiteral("--bcc") << address;
        else
            to << address;
    }
    if (!message.subject.empty())
        arguments << QStringLiteral("--subject") << FromUtf8(message.subject);
    if (!message.noteText.empty())
        arguments << QStringLiteral("--body") << FromUtf8(message.noteText);
    for (const mapi::File& file : message.files)
        arguments << QStringLiteral("--attach") << FileArgument(file);
    return arguments + to;
}

int SendFax(const mapi::Recipient& recipient, const mapi::Message& message)
{
    const QString sendfax = QStandardPaths::findExecutable(QStringLiteral("sendfax"));
    // Only dialable characters: the number can never read as an option.
    const std::string number = DialableNumber(AddressOf(recipient).substr(FaxPrefix.size()));
    if (sendfax.isEmpty() || number.empty())
        return mapi::Failure;
    QStringList arguments{QStringLiteral("-d"), QString::fromLatin1(number)};
    for (const mapi::File& file : message.files)
        arguments << FileArgument(file);
    return QProcess::execute(sendfax, arguments) == 0 ? mapi::SuccessSuccess : mapi::Failure;
}

// xdg-email reads a "mailto:" argument as a link that may attach files, and one starting with "-"
// as an option: only plain addresses are handed to it.
int SendToComposer(const mapi::Message& message, const std::vector<const mapi::Recipient*>& recipients)
{
    if (!std::all_of(recipients.begin(), recipients.end(),
                     [](const mapi::Recipient* recipient) { return IsPlainAddress(AddressOf(*recipient)); }))
        return mapi::UnknownRecipient;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty())
        return mapi::Failure;
    return QProcess::startDetached(program, MailArguments(message, recipients)) ? mapi::SuccessSuccess : mapi::Failure;
}
} // namespace

XdgMessaging::XdgMessaging(AskAddress askAddress) : m_askAddress(std::move(askAddress)) {}

XdgMessaging::~XdgMessaging() = default;

int XdgMessaging::Logon(const std::string&, const std::string&, unsigned, mapi::Session& session)
{
    session = ++m_lastSession;
    return mapi::SuccessSuccess;
}

int XdgMessaging::ResolveName(mapi::Session, const std::string& name, unsigned flags, const mapi::Recipient*& resolved)
{
    std::string address = name;
    if (!IsPlainAddress(address) && !IsFax({mapi::To, name, {}})) {
        if (!(flags & mapi::Dialog))
            return mapi::UnknownRecipient;
        const std::optional<QString> answer = m_askAddress(FromUtf8(name));
        if (!answer)
            return mapi::UserAbort;
        address = answer->trimmed().toStdString();
        if (!IsPlainAddress(address))
            return mapi::UnknownRecipient;
    }
    m_buffers.push_back(std::make_unique<mapi::Recipient>(mapi::Recipient{mapi::To, address, address}));
    resolved = m_buffers.back().get();
    return mapi::SuccessSuccess;
}

int XdgMessaging::SendMail(mapi::Session, const mapi::Message& message, unsigned)
{
    std::vector<const mapi::Recipient*> mail;
    int result = mapi::SuccessSuccess;
    for (const mapi::Recipient& recipient : message.recipients) {
        if (!IsFax(recipient)) {
            mail.push_back(&recipient);
            continue;
        }
        const int faxResult = SendFax(recipient, message);
        if (result == mapi::SuccessSuccess)
            result = faxResult;
    }
    const bool onlyFaxes = !message.recipients.empty() && mail.empty();
    if (!onlyFaxes) {
        const int mailResult = SendToComposer(message, mail);
        if (result == mapi::SuccessSuccess)
            result = mailResult;
    }
    return result;
}

int XdgMessaging::FreeBuffer(const mapi::Recipient* buffer)
{
    std::erase_if(m_buffers, [&](const auto& held) { return held.get() == buffer; });
    return mapi::SuccessSuccess;
}

int XdgMessaging::Logoff(mapi::Session)
{
    return mapi::SuccessSuccess;
}

} // namespace quillary
