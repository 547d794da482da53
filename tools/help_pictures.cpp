// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures of the help that appears only on request, as a user calls it up:
// the note on what was read, the constants menu and the dictionary's find
// field. help_pictures OUTPUT_FOLDER, on a real X display (the pictures are
// taken from the screen, so that the note and the menus are in them).

#include "app/Startup.h"
#include "app/WindowKinds.h"
#include "app/WindowManager.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>

namespace {

QString folder;

QWidget *control(app::WindowManager &windows, const char *window, const char *name)
{
    return forms::findControl(&windows.instance(QString::fromLatin1(window)), QString::fromLatin1(name));
}

// The screen around the window and whatever shows over it.
bool save(const QWidget &window, const char *file, QRect also = {})
{
    QTest::qWait(300);
    const QRect area = window.frameGeometry().united(also).adjusted(-4, -4, 4, 4);
    QScreen *screen = window.screen();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(folder + QLatin1Char('/') + QString::fromLatin1(file));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::setUpApplication();
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    app::WindowManager windows;
    // The build folder above this tool's holds the program and its dictionary.
    app::registerWindowKinds(windows, {QCoreApplication::applicationDirPath() + QStringLiteral("/..")});
    bool saved = true;

    windows.show(u"Voltage2");
    saved &= QTest::qWaitForWindowExposed(&windows.instance(u"Voltage2"));
    QTest::keyClicks(control(windows, "Voltage2", "Text2"), QStringLiteral("2,5"));
    QTest::keyClicks(control(windows, "Voltage2", "Text3"), QStringLiteral("4"));
    QTest::mouseClick(control(windows, "Voltage2", "Command2"), Qt::LeftButton);
    const QWidget *note = QApplication::topLevelAt(control(windows, "Voltage2", "Text2")->mapToGlobal(QPoint(0, 30)));
    saved &= save(windows.instance(u"Voltage2"), "note.png", note ? note->frameGeometry() : QRect());
    windows.unload(u"Voltage2");

    windows.show(u"DeBroglieWavelength");
    saved &= QTest::qWaitForWindowExposed(&windows.instance(u"DeBroglieWavelength"));
    QWidget *box = control(windows, "DeBroglieWavelength", "Text2");
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 10), box->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(box, &rightClick);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (menu) {
        menu->setActiveAction(menu->actions().last());
        QTest::keyClick(menu, Qt::Key_Right);
        QTest::qWait(300);
        QMenu *constants = menu->actions().last()->menu();
        constants->setActiveAction(constants->actions().at(2));
        saved &= save(windows.instance(u"DeBroglieWavelength"), "constants-menu.png",
                      menu->frameGeometry().united(constants->frameGeometry()));
        constants->close();
        menu->close();
    }
    windows.unload(u"DeBroglieWavelength");

    windows.show(u"frmPhysicsMain");
    QTest::mouseClick(control(windows, "frmPhysicsMain", "Command2"), Qt::LeftButton); // "Physics Dictionary"
    forms::Form &dictionary = windows.instance(u"dictionary");
    saved &= QTest::qWaitForWindowActive(&dictionary);
    QTest::keySequence(&dictionary, QKeySequence::Find);
    QWidget *field = control(windows, "dictionary", "findField");
    QTest::keyClicks(field, QStringLiteral("ohm"));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Return);
    saved &= save(dictionary, "find.png");
    return saved && menu && field ? 0 : 1;
}
