#include "app/Startup.h"

#include <QApplication>
#include <QIcon>

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
}

} // namespace app
