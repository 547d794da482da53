// The shell as a user meets it: the windows loaded and visible after each button, key, Exit entry and close
// box, when the program ends, the links it opens, the boxes it shows; and its start-up settings.

#include "LinkAddresses.h"
#include "app/RunTimeError.h"
#include "app/Startup.h"
#include "app/WindowEvents.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/WindowDefinition.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace forms;

// A window whose handlers fail: a division by zero, memory run out, a window there is none of.
constexpr ControlDefinition FaultyControls[] = {
    {.name = "Command1", .kind = ControlKind::Button, .width = 1500, .height = 375, .tab = 0},
    {.name = "Command2", .kind = ControlKind::Button, .top = 400, .width = 1500, .height = 375, .tab = 1},
    {.name = "Command3", .kind = ControlKind::Button, .top = 800, .width = 1500, .height = 375, .tab = 2},
};
constexpr WindowDefinition Faulty{.name = "Faulty", .caption = "Faulty", .clientWidth = 1500, .clientHeight = 1200,
                                  .controls = FaultyControls};

static void bindFaulty(WindowEvents &events)
{
    events.onClick("Command1", [] { throw RunTimeError::divisionByZero(); });
    events.onClick("Command2", [] { throw std::bad_alloc(); });
    events.onClick("Command3", [windows = &events.manager()] { windows->show("NoSuchWindow"); });
}

static QString errorBox(const char *error) { return "Fyzorin|Run-time error '" + QString::fromUtf8(error) + "|3|OK"; }

class ShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Steps on control c of window w: "w.c" clicks; "w.c<key" tabs to c and presses the key ("w<key": the window gets
    // it); "w.c=text" tabs there and types; "w.c?text" expects its text; "w.c!" presses it, releases elsewhere. "show"
    // and "unload" call the window manager, "close" uses the close box, "active" waits for it, "visible" checks.
    // Nothing loaded: the program has ended. Shown: addresses opened, then boxes "title|text|icon|buttons".
    void steps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char *name, QStringList steps, QStringList visible, QStringList loaded,
                            QStringList shown = {}) { QTest::newRow(name) << steps << visible << loaded << shown; };
        const QString main = "frmPhysicsMain", dict = "dictionary", conv = "converters", index = "Formulasolvers";
        row("dictionary beside the main window, Back",
            {"frmPhysicsMain.Command2", "visible dictionary frmPhysicsMain", "dictionary.Command1"},
            {main}, {dict, main});
        row("dictionary Exit", {"frmPhysicsMain.Command2", "dictionary.mnuExit"}, {main}, {main});
        row("dictionary close box", {"frmPhysicsMain.Command2", "close dictionary"}, {main}, {main});
        row("converters leave a fresh index hidden; formula solvers show it; Back; converters hide it",
            {"frmPhysicsMain.Command1", "visible frmPhysicsMain converters", "frmPhysicsMain.Command4",
             "visible Formulasolvers converters", "converters.Command1", "visible Formulasolvers frmPhysicsMain",
             "frmPhysicsMain.Command1"},
            {main, conv}, {index, main, conv});
        row("converters Exit; unloading absent ones does nothing",
            {"unload converters", "frmPhysicsMain.Command1", "converters.mnuExit"}, {main}, {index, main});
        row("formula solvers hide the main window, Back",
            {"frmPhysicsMain.Command4", "visible Formulasolvers", "Formulasolvers.Command1"}, {main}, {index, main});
        row("index Exit brings back the hidden main window",
            {"frmPhysicsMain.Command4", "Formulasolvers.mnuExit"}, {main}, {main});
        row("main window closed beside the dictionary, Back rebuilds it",
            {"frmPhysicsMain.Command2", "close frmPhysicsMain", "visible dictionary", "dictionary.Command1"},
            {main}, {dict, main});
        row("Live Help hides the main window; chat address label; close box",
            {"frmPhysicsMain.Command3", "visible Chat", "Chat.Label3", "close Chat"}, {main}, {main}, {ChatInfoUrl});
        row("show activates a visible window",
            {"frmPhysicsMain.Command2", "active dictionary", "show frmPhysicsMain", "active frmPhysicsMain",
             "frmPhysicsMain.Command2", "active dictionary"},
            {dict, main}, {dict, main});
        row("ends: main window closed alone", {"close frmPhysicsMain"}, {}, {});
        row("ends: main Exit with other windows open",
            {"frmPhysicsMain.Command2", "frmPhysicsMain.Command1", "frmPhysicsMain.mnuExit"}, {}, {});
        row("ends: last window closed after the main one",
            {"frmPhysicsMain.Command1", "close frmPhysicsMain", "close converters"}, {}, {});
        row("ends: last window unloaded",
            {"frmPhysicsMain.Command2", "close frmPhysicsMain", "dictionary.mnuExit"}, {}, {});
        row("update links, once a click; About box",
            {"frmPhysicsMain.Command5", "frmPhysicsMain.Command5", "frmPhysicsMain.mnuUpdates",
             "frmPhysicsMain.mnuSupport", "frmPhysicsMain.mnuAbout"},
            {main}, {main}, QStringList(4, UpdatesUrl) << "Fyzorin||0|OK");
        const QStringList donating{main, "Form1", "Torque2", "Voltage2", "Chat"};
        row("donation pictures; links by keyboard, not with a modifier",
            {"show Form1", "Form1.Image2", "show Torque2", "Torque2.Image2", "show Voltage2", "Voltage2.Image2",
             "Voltage2.Image2!", "Voltage2.Image2<Return", "Voltage2.Image2<Ctrl+Return", "show Form1",
             "Form1.Image2<Space", "show Chat", "Chat.Label3<Enter"},
            donating, donating, QStringList(5, DonateUrl) << ChatInfoUrl);
        row("a calculator by keyboard alone",
            {"frmPhysicsMain.Command4<Space", "Formulasolvers.Command26<Space", "Voltage2.Text2=2.5",
             "Voltage2.Text3=4", "Voltage2.Command2<Return", "Voltage2.Text1?10", "Voltage2<Alt+E"},
            {index}, {index, main});
        row("failed handlers show the error box, then the program goes on",
            {"show Faulty", "Faulty.Command1", "Faulty.Command2", "Faulty.Command3", "Faulty.Command1",
             "frmPhysicsMain.Command2"},
            {main, "Faulty", dict}, {main, "Faulty", dict},
            {errorBox("11':\n\nDivision by zero"), errorBox("7':\n\nOut of memory"),
             errorBox("9':\n\nSubscript out of range"), errorBox("11':\n\nDivision by zero")});
    }

    void steps()
    {
        QFETCH(QStringList, steps);
        UrlRecorder urls;
        RunningProgram program;
        program.windows.registerKind(Faulty, bindFaulty);
        QSignalSpy ended(&program.windows, &WindowManager::applicationEnded);
        for (const QString &step : steps) {
            const QString verb = step.section(' ', 0, 0), target = step.section(' ', 1);
            const auto m = QRegularExpression(R"(^(\w+)\.?(\w*)([<=?!]?)(.*)$)").match(step);
            const QString window = m.captured(1), control = m.captured(2), op = m.captured(3), argument = m.captured(4);
            if (verb == "show")
                program.windows.show(target);
            else if (verb == "unload")
                program.windows.unload(target);
            else if (verb == "close")
                closeWindow(program.windows, target);
            else if (verb == "active")
                QTRY_COMPARE(QApplication::activeWindow(), &program.windows.instance(target));
            else if (verb == "visible")
                QCOMPARE(sorted(visibleKinds(program.windows)), sorted(target.split(' ')));
            else if (op.isEmpty())
                clickControl(program.windows, window, control);
            else if (QWidget *widget = findControl(&program.windows.instance(window), control); op == "?")
                QCOMPARE(controlText(widget), argument);
            else if (op == "!") { // pressed, then released elsewhere: no click
                QTest::mousePress(widget, Qt::LeftButton);
                QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(-5, -5));
            } else if (Form &form = program.windows.instance(window); QTest::qWaitForWindowActive(&form)) {
                for (int tab = 0; tab < 80 && !control.isEmpty() && form.focusWidget()->objectName() != control; ++tab)
                    QTest::keyClick(form.focusWidget(), Qt::Key_Tab); // as a keyboard user gets there
                QWidget *receiver = control.isEmpty() ? &form : form.focusWidget();
                if (op == "=")
                    QTest::keyClicks(receiver, argument);
                else
                    QTest::keySequence(receiver, QKeySequence(argument));
                settleEvents();
            }
            if (QTest::currentTestFailed())
                return;
        }
        QFETCH(QStringList, visible);
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, shown);
        QCOMPARE(sorted(visibleKinds(program.windows)), sorted(visible));
        QCOMPARE(sorted(program.windows.loadedKinds()), sorted(loaded));
        QCOMPARE(QList<bool>({program.windows.hasEnded(), ended.count() == 1}), QList<bool>(2, loaded.isEmpty()));
        QStringList seen = QUrl::toStringList(urls.opened);
        for (const BoxAnswerer::Box &box : program.boxes.boxes)
            seen << QStringList{box.title, box.text, QString::number(box.icon), box.buttons.join(',')}.join('|');
        QCOMPARE(seen, shown);
    }

    void setUpForItsOwnEnd()
    {
        setUpApplication();
        QCOMPARE(QApplication::applicationName() + ' ' + QApplication::organizationName(), "Fyzorin Quellmark");
        QCOMPARE(QApplication::applicationVersion(), "1.00");
        QVERIFY(!QApplication::windowIcon().isNull());
        // Hidden windows may hold the user's work: the program ends by its own rules, not when Qt sees no window.
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        RunningProgram program;
        QCOMPARE(program.windows.kindNames().size(), 18); // 5 shell windows, 13 calculators
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
