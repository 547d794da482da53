// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Shows every window of the program in turn, as the program builds it, and
// saves a picture of each: window_pictures OUTPUT_FOLDER. Run it on a real X
// display (scripts/screenshots.sh uses Xvfb).

#include "app/WindowKinds.h"
#include "app/WindowManager.h"
#include "forms/FormWidgets.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fyzorin/fyzorin.png")));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    app::WindowManager windows;
    app::registerWindowKinds(windows, {QCoreApplication::applicationDirPath()});
    for (const QString &kind : windows.kindNames()) {
        windows.show(kind);
        forms::Form &form = windows.instance(kind);
        if (!QTest::qWaitForWindowExposed(&form))
            return 1;
        QTest::qWait(100);
        const QString file = folder + QLatin1Char('/') + kind + QStringLiteral(".png");
        if (!form.grab().save(file))
            return 1;
        windows.unload(kind);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return 0;
}
