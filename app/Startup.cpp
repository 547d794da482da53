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
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
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
