// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Startup.h"
#include "app/WindowKinds.h"
#include "app/WindowManager.h"
#include "forms/ShellForms.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();

    app::WindowManager windows;
    app::registerWindowKinds(windows, {QCoreApplication::applicationDirPath()});
    QObject::connect(&windows, &app::WindowManager::applicationEnded, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    windows.show(forms::MainWindowName);
    return QApplication::exec();
}
