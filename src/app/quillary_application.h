// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace quillary {

// The application object with the policy for exceptions nobody handled: the error is shown,
// a second box says the program will end to protect the data, and the program then ends the
// orderly way, writing the data file.
class QuillaryApplication final : public QApplication
{
    Q_OBJECT

public:
    QuillaryApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

signals:
    // The policy is about to end the program: an end nobody asked for, whose save must not wait
    // on further answers.
    void EndingAfterError();

private:
    void ReportAndQuit(const QString& message);
    bool m_failing = false;
};

} // namespace quillary
