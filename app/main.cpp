#include "app/Startup.h"
#include "app/WindowKinds.h"
#include "app/WindowManager.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    WindowManager windows;
    registerWindowKinds(windows, {QCoreApplication::applicationDirPath()});
    QObject::connect(&windows, &WindowManager::applicationEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    windows.show(WindowManager::MainWindow);
    return QApplication::exec();
}
