// SPDX-License-Identifier: GPL-3.0-or-later
// A main window over a data file of the test's own, in a fresh folder that is the current one
// (where the clipboard file goes), shown on the screen.
#pragma once

#include "desktop_window.h"

#include "shell/profile_file.h"
#include "ui/shell/main_form.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

struct MainWindowFixture
{
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<quillary::TProfileFile> settings;
    std::unique_ptr<quillary::TMainForm> form;

    // adjust may change the settings before the window reads them; clock gives today's date.
    void Open(const QByteArray& data, const std::function<void(quillary::TProfileFile&)>& adjust = {},
              const quillary::Clock* clock = nullptr)
    {
        dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(dir->path());
        QFile file(dir->filePath(QStringLiteral("zelk.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        settings = std::make_unique<quillary::TProfileFile>(dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        if (adjust)
            adjust(*settings);
        form = std::make_unique<quillary::DesktopWindow>(*settings, file.fileName(), nullptr, clock);
        form->show();
    }
};
