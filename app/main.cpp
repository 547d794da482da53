#include "app/WindowKinds.h"
#include "app/WindowManager.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fyzorin"));
    QApplication::setOrganizationName(QStringLiteral("Quellmark"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fyzorin/fyzorin.png")));
    // The program ends by its own rules (WindowManager), not when the last
    // visible window closes: hidden windows may still hold the user's work.
    QApplication::setQuitOnLastWindowClosed(false);

    WindowManager windows;
    registerWindowKinds(windows, {QCoreApplication::applicationDirPath()});
    QObject::connect(&windows, &WindowManager::applicationEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    windows.show(WindowManager::MainWindow);
    return QApplication::exec();
}
