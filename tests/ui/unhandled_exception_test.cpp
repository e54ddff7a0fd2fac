// SPDX-License-Identifier: GPL-3.0-or-later
// An exception nobody handled ends the program the orderly way, and that end is one nobody waits
// on: a save that fails then asks nothing and keeps the changes in the recovery copy.
#include "desktop_window.h"

#include "app/quillary_application.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "shell/profile_file.h"
#include "shell/recovery_copy.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace quillary;

namespace {
class Failing final : public QObject
{
public:
    bool event(QEvent*) override { throw std::runtime_error("The disk went away"); }
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

int main(int argc, char** argv)
{
    QuillaryApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8());
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    const QString data = dir.filePath(QStringLiteral("data/zelk.dat"));
    TProfileFile settings(dir.filePath(QStringLiteral("kpx.ini")).toStdString());
    DesktopWindow form(settings, data);
    QObject::connect(&app, &QuillaryApplication::EndingAfterError, &app, [&form] { form.SetUnattendedEnd(true); });
    QStringList told;
    QString advice;
    Questions::SetHook([&](const QString& caption, const QString& text) {
        told.append(caption);
        advice = text;
        return QMessageBox::Cancel;
    });

    CreateItem(KindFolder, "Unsaved", "", "", form.Tree().Root(), "", 0);
    QDir(dir.path()).rename(QStringLiteral("data"), QStringLiteral("gone")); // the save will fail
    Failing failing;
    QTimer::singleShot(0, &failing, [&failing] { QCoreApplication::postEvent(&failing, new QEvent(QEvent::User)); });
    const int status = app.exec();
    const bool ended = form.SaveOnExit();

    bool ok = true;
    const auto check = [&ok](bool condition, const char* what) {
        if (!condition)
            qWarning("FAIL: %s", what);
        ok = ok && condition;
    };
    check(status == 1, "the policy ends the loop with status 1");
    check(told == (QStringList{"Quillary", "Unhandled Exception"}), "the two boxes of the policy, and nothing after");
    check(advice.contains(QStringLiteral("https://quillary.example.org/support/")) &&
              !advice.contains(QStringLiteral("%")),
          "the second box names where to report, with no placeholder left");
    check(ended, "the end goes on although the save failed");
    check(form.UnattendedEnd(), "the end after an exception is one nobody waits on");
    check(ReadAll(QString::fromStdString(FallbackRecoveryFileOf(data.toStdString()).string())).contains("}Unsaved~~") &&
              FallbackRecoveryFileOf(data.toStdString()).parent_path() == dir.filePath(QStringLiteral("state/quillary")).toStdString(),
          "the changes are in the second place");
    return ok ? 0 : 1;
}
