// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Startup.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

namespace app {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Fyzorin"));
    QApplication::setOrganizationName(QStringLiteral("Quellmark"));
    // The version record "1.00": the project's major and minor numbers.
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(FYZORIN_VERSION_MAJOR).arg(FYZORIN_VERSION_MINOR, 2, 10, QLatin1Char('0')));
    // Ties the windows to the installed desktop entry (one taskbar entry with the launcher).
    QGuiApplication::setDesktopFileName(QStringLiteral(FYZORIN_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fyzorin/fyzorin.png")));
    // The program ends by its own rules (WindowManager), not when the last
    // visible window closes: hidden windows may still hold the user's work.
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows' fixed colours (blue texts, white panels) were chosen for a
    // light background: keep one whatever the desktop's theme, or a dark
    // theme leaves them unreadable.
    if (const std::unique_ptr<QStyle> fusion{QStyleFactory::create(QStringLiteral("Fusion"))})
        QApplication::setPalette(fusion->standardPalette());
}

} // namespace app
