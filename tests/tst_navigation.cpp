// Moving between windows: which windows exist and which are visible after
// each button, Back, Exit entry and close box, and when the program ends.

#include "app/WindowManager.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");

} // namespace

class NavigationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithMainWindowOnly();
    void steps_data();
    void steps();
    void showActivatesWindow();
    void windowOperations();
    void aboutBox();
    void ending_data();
    void ending();

private:
    void perform(const QString &step);

    std::unique_ptr<RunningProgram> program;
};

void NavigationTest::init()
{
    program = std::make_unique<RunningProgram>();
}

void NavigationTest::cleanup()
{
    program.reset();
}

// "window.control" clicks it; "close window" uses the title-bar close box.
void NavigationTest::perform(const QString &step)
{
    if (step.startsWith(QStringLiteral("close "))) {
        closeWindow(program->windows, step.mid(6));
        return;
    }
    const QStringList parts = step.split(QLatin1Char('.'));
    clickControl(program->windows, parts[0], parts[1]);
}

void NavigationTest::startsWithMainWindowOnly()
{
    QCOMPARE(program->windows.loadedKinds(), QStringList{Main});
    QCOMPARE(visibleKinds(program->windows), QStringList{Main});
    QCOMPARE(program->windows.instance(Main).windowTitle(), QStringLiteral("Fyzorin - Main"));
}

void NavigationTest::steps_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QStringList>("loaded");

    const QString dict = QStringLiteral("dictionary");
    const QString conv = QStringLiteral("converters");
    const QString index = QStringLiteral("Formulasolvers");
    auto steps = [](std::initializer_list<const char *> list) {
        QStringList out;
        for (const char *s : list)
            out.append(QString::fromLatin1(s));
        return out;
    };

    QTest::newRow("dictionary beside the main window") << steps({"frmPhysicsMain.Command2"})
        << QStringList{dict, Main} << QStringList{dict, Main};
    QTest::newRow("dictionary Back") << steps({"frmPhysicsMain.Command2", "dictionary.Command1"})
        << QStringList{Main} << QStringList{dict, Main};
    QTest::newRow("dictionary Exit") << steps({"frmPhysicsMain.Command2", "dictionary.mnuExit"})
        << QStringList{Main} << QStringList{Main};
    QTest::newRow("dictionary close box") << steps({"frmPhysicsMain.Command2", "close dictionary"})
        << QStringList{Main} << QStringList{Main};
    QTest::newRow("converters from a fresh start leave the index hidden") << steps({"frmPhysicsMain.Command1"})
        << QStringList{Main, conv} << QStringList{index, Main, conv};
    QTest::newRow("converters Back") << steps({"frmPhysicsMain.Command1", "converters.Command1"})
        << QStringList{Main} << QStringList{index, Main, conv};
    QTest::newRow("converters Exit") << steps({"frmPhysicsMain.Command1", "converters.mnuExit"})
        << QStringList{Main} << QStringList{index, Main};
    QTest::newRow("formula solvers hide the main window") << steps({"frmPhysicsMain.Command4"})
        << QStringList{index} << QStringList{index, Main};
    QTest::newRow("formula solvers after converters show the hidden index") << steps({"frmPhysicsMain.Command1", "frmPhysicsMain.Command4"})
        << QStringList{index, conv} << QStringList{index, Main, conv};
    QTest::newRow("converters hide a visible index") << steps({"frmPhysicsMain.Command4", "Formulasolvers.Command1", "frmPhysicsMain.Command1"})
        << QStringList{Main, conv} << QStringList{index, Main, conv};
    QTest::newRow("index Back") << steps({"frmPhysicsMain.Command4", "Formulasolvers.Command1"})
        << QStringList{Main} << QStringList{index, Main};
    // Nothing would be visible: the hidden main window comes back.
    QTest::newRow("index Exit brings back the hidden main window") << steps({"frmPhysicsMain.Command4", "Formulasolvers.mnuExit"})
        << QStringList{Main} << QStringList{Main};
    QTest::newRow("main window closed beside the dictionary") << steps({"frmPhysicsMain.Command2", "close frmPhysicsMain"})
        << QStringList{dict} << QStringList{dict};
    QTest::newRow("Back rebuilds an unloaded main window") << steps({"frmPhysicsMain.Command2", "close frmPhysicsMain", "dictionary.Command1"})
        << QStringList{Main} << QStringList{dict, Main};
    QTest::newRow("Live Help hides the main window") << steps({"frmPhysicsMain.Command3"})
        << QStringList{QStringLiteral("Chat")} << QStringList{QStringLiteral("Chat"), Main};
    QTest::newRow("chat close box") << steps({"frmPhysicsMain.Command3", "close Chat"})
        << QStringList{Main} << QStringList{Main};
}

void NavigationTest::steps()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, visible);
    QFETCH(QStringList, loaded);
    QSignalSpy ended(&program->windows, &WindowManager::applicationEnded);
    for (const QString &step : steps) {
        perform(step);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted(visible));
    QCOMPARE(sorted(program->windows.loadedKinds()), sorted(loaded));
    QCOMPARE(ended.count(), 0);
    QVERIFY(program->boxes.boxes.isEmpty());
}

void NavigationTest::showActivatesWindow()
{
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    forms::Form &dictionary = program->windows.instance(QStringLiteral("dictionary"));
    QVERIFY(QTest::qWaitForWindowActive(&dictionary));
    program->windows.show(Main);
    QTRY_COMPARE(QApplication::activeWindow(), &program->windows.instance(Main));
    clickControl(program->windows, Main, QStringLiteral("Command2")); // already visible: activated again
    QTRY_COMPARE(QApplication::activeWindow(), &dictionary);
}

void NavigationTest::windowOperations()
{
    const QString conv = QStringLiteral("converters");
    program->windows.unload(conv); // absent: nothing happens
    QVERIFY(!program->windows.isLoaded(conv));

    program->windows.hide(conv); // absent: created straight into the hidden state
    QVERIFY(program->windows.isLoaded(conv));
    QVERIFY(!program->windows.isVisible(conv));
    forms::Form *first = &program->windows.instance(conv);

    program->windows.show(conv);
    program->windows.hide(conv);
    program->windows.hide(conv);
    QCOMPARE(&program->windows.instance(conv), first); // never rebuilt by show or hide

    program->windows.unload(conv);
    QVERIFY(!program->windows.isLoaded(conv));
    QVERIFY(&program->windows.instance(conv) != nullptr);
    QVERIFY(program->windows.isLoaded(conv));
    QVERIFY(!program->windows.isVisible(conv));
}

void NavigationTest::aboutBox()
{
    clickControl(program->windows, Main, QStringLiteral("mnuAbout"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    const BoxAnswerer::Box box = program->boxes.boxes.first();
    QCOMPARE(box.title, QStringLiteral("Fyzorin"));
    QCOMPARE(box.text, QString());
    QCOMPARE(box.icon, int(QMessageBox::NoIcon));
    QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(visibleKinds(program->windows), QStringList{Main});
}

void NavigationTest::ending_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("main window closed while no other window exists") << QStringList{QStringLiteral("close frmPhysicsMain")};
    QTest::newRow("main Exit with other windows open")
        << QStringList{QStringLiteral("frmPhysicsMain.Command2"), QStringLiteral("frmPhysicsMain.Command1"),
                       QStringLiteral("frmPhysicsMain.mnuExit")};
    QTest::newRow("last visible window goes while the main window is gone")
        << QStringList{QStringLiteral("frmPhysicsMain.Command1"), QStringLiteral("close frmPhysicsMain"),
                       QStringLiteral("close converters")};
    QTest::newRow("last window unloaded") << QStringList{QStringLiteral("frmPhysicsMain.Command2"),
                                                         QStringLiteral("close frmPhysicsMain"),
                                                         QStringLiteral("dictionary.mnuExit")};
}

void NavigationTest::ending()
{
    QFETCH(QStringList, steps);
    QSignalSpy ended(&program->windows, &WindowManager::applicationEnded);
    for (const QString &step : steps)
        perform(step);
    QCOMPARE(ended.count(), 1);
    QVERIFY(program->windows.hasEnded());
    QVERIFY(program->windows.loadedKinds().isEmpty());
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
