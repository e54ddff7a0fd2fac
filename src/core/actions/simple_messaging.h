// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

// The simple messaging service: a session, name resolution and one send call that lets the
// service show its own send dialog.
namespace mapi {

using Session = std::uintptr_t;
inline constexpr Session NoSession = 0;

// Result codes.
inline constexpr int SuccessSuccess = 0;
inline constexpr int UserAbort = 1;
inline constexpr int Failure = 2;
inline constexpr int LogonFailure = 3;
inline constexpr int TooManyFiles = 9;
inline constexpr int TooManyRecipients = 10;
inline constexpr int AttachmentNotFound = 11;
inline constexpr int UnknownRecipient = 14;
inline constexpr int AmbiguousRecipient = 21;

// Call flags.
inline constexpr unsigned LogonUi = 1;
inline constexpr unsigned NewSession = 2;
inline constexpr unsigned Dialog = 8;

// Message flags.
inline constexpr unsigned ReceiptRequested = 2;

// Recipient classes.
inline constexpr int To = 1;
inline constexpr int Cc = 2;
inline constexpr int Bcc = 3;

struct Recipient
{
    int recipClass = To;
    std::string name;
    std::string address; // empty: the service resolves the name
    bool operator==(const Recipient&) const = default;
};

struct File
{
    std::string pathName;
    std::string fileName; // empty: the last part of the path
    int position = -1;    // -1: the service places it
    bool operator==(const File&) const = default;
};

struct Message
{
    std::string subject;
    std::string noteText;
    unsigned flags = 0;
    std::vector<Recipient> recipients;
    std::vector<File> files;
    bool operator==(const Message&) const = default;
};

} // namespace mapi

class SimpleMessaging
{
public:
    virtual ~SimpleMessaging() = default;
    virtual int Logon(const std::string& profile, const std::string& password, unsigned flags,
                      mapi::Session& session) = 0;
    // On success the service hands out a buffer that the caller gives back with FreeBuffer.
    virtual int ResolveName(mapi::Session session, const std::string& name, unsigned flags,
                            const mapi::Recipient*& resolved) = 0;
    virtual int SendMail(mapi::Session session, const mapi::Message& message, unsigned flags) = 0;
    virtual int FreeBuffer(const mapi::Recipient* buffer) = 0;
    virtual int Logoff(mapi::Session session) = 0;
    // The system's default messaging profile: none when no profiles are configured at all,
    // an empty text when they are but the default cannot be read.
    virtual std::optional<std::string> DefaultProfile() const = 0;
};

} // namespace quillary
