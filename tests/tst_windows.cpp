// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows as a user meets them, through their named controls: the windows loaded and visible after each
// button, key, Exit entry and close box, when the program ends, the links it opens, the boxes it shows; the
// calculators, converters and dictionary at work; and the program's start-up settings.

#include "LinkAddresses.h"
#include "app/Balloon.h"
#include "app/Startup.h"
#include "app/WindowEvents.h"
#include "core/RunTimeError.h"
#include "dictionary/DictionaryFile.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/WindowDefinition.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace app;
using namespace core;
using namespace forms;

// A window whose handlers fail: a division by zero, memory run out, a window there is none of.
constexpr ControlDefinition FaultyControls[] = {
    {.name = "Command1", .kind = ControlKind::Button, .width = 1500, .height = 375, .tab = 0},
    {.name = "Command2", .kind = ControlKind::Button, .top = 400, .width = 1500, .height = 375, .tab = 1},
    {.name = "Command3", .kind = ControlKind::Button, .top = 800, .width = 1500, .height = 375, .tab = 2},
};
constexpr WindowDefinition Faulty{
    .name = "Faulty", .caption = "Faulty", .clientWidth = 1500, .clientHeight = 1200, .controls = FaultyControls};

static void bindFaulty(WindowEvents &events)
{
    events.onClick("Command1", [] { throw RunTimeError::divisionByZero(); });
    events.onClick("Command2", [] { throw std::bad_alloc(); });
    events.onClick("Command3", [windows = &events.manager()] { windows->show("NoSuchWindow"); });
}

static QString errorBox(const char *error) { return "Fyzorin|Run-time error '" + QString::fromUtf8(error) + "|3|OK"; }

class WindowsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QWidget *box(const QString &window, const QString &c) { return findControl(&program->windows.instance(window), c); }
    QString text(const QString &window, const QString &c) { return controlText(box(window, c)); }
    void set(const QString &window, const QString &c, const QString &typed) { setControlText(box(window, c), typed); }
    void click(const QString &window, const QString &c) { clickControl(program->windows, window, c); }
    QStringList visible() { return sorted(visibleKinds(program->windows)); }
    QString lastBox() { return program->boxes.boxes.size() == 1 ? program->boxes.boxes[0].text : "not one box"; }

private Q_SLOTS:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    // Steps, separated by ", ", on control c of window w: "w.c" clicks; "w.c<key" tabs to c and presses the key
    // ("w<key": the window gets it); "w.c=text" tabs there and types; "w.c?text" expects its text; "w.c!" presses it
    // and releases elsewhere. "show" and "unload" call the window manager, "close" uses the close box, "active" waits
    // for it, "visible" checks. Then the windows visible and loaded (none loaded: the program has ended), and what
    // was shown: the addresses opened, then the boxes as "title|text|icon|buttons".
    void steps_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QStringList>("shown");
        // clang-format off
        const auto row = [](const char *name, const char *steps, const char *visible, const char *loaded,
                            const QStringList &shown = {}) {
            QTest::newRow(name) << steps << visible << loaded << shown;
        };
        row("dictionary beside the main window, Back",
            "frmPhysicsMain.Command2, visible dictionary frmPhysicsMain, dictionary.Command1",
            "frmPhysicsMain", "dictionary frmPhysicsMain");
        row("converters leave a fresh index hidden; formula solvers show it; Back; converters hide it",
            "frmPhysicsMain.Command1, visible frmPhysicsMain converters, frmPhysicsMain.Command4, "
            "visible Formulasolvers converters, converters.Command1, visible Formulasolvers frmPhysicsMain, "
            "frmPhysicsMain.Command1",
            "frmPhysicsMain converters", "Formulasolvers frmPhysicsMain converters");
        row("converters Exit; unloading absent ones does nothing",
            "unload converters, frmPhysicsMain.Command1, converters.mnuExit", "frmPhysicsMain",
            "Formulasolvers frmPhysicsMain");
        row("formula solvers hide the main window, Back",
            "frmPhysicsMain.Command4, visible Formulasolvers, Formulasolvers.Command1", "frmPhysicsMain",
            "Formulasolvers frmPhysicsMain");
        row("index Exit brings back the hidden main window", "frmPhysicsMain.Command4, Formulasolvers.mnuExit",
            "frmPhysicsMain", "frmPhysicsMain");
        row("main window closed beside the dictionary, Back rebuilds it",
            "frmPhysicsMain.Command2, close frmPhysicsMain, visible dictionary, dictionary.Command1",
            "frmPhysicsMain", "dictionary frmPhysicsMain");
        row("Live Help hides the main window; chat address label; close box",
            "frmPhysicsMain.Command3, visible Chat, Chat.Label3, close Chat", "frmPhysicsMain", "frmPhysicsMain",
            {ChatInfoUrl});
        row("show activates a visible window", "frmPhysicsMain.Command2, active dictionary, show frmPhysicsMain, "
            "active frmPhysicsMain, frmPhysicsMain.Command2, active dictionary",
            "dictionary frmPhysicsMain", "dictionary frmPhysicsMain");
        row("ends: main window closed alone", "close frmPhysicsMain", "", "");
        row("ends: main Exit with other windows open",
            "frmPhysicsMain.Command2, frmPhysicsMain.Command1, frmPhysicsMain.mnuExit", "", "");
        row("ends: last window closed after the main one",
            "frmPhysicsMain.Command1, close frmPhysicsMain, close converters", "", "");
        row("ends: last window unloaded", "frmPhysicsMain.Command2, close frmPhysicsMain, dictionary.mnuExit", "", "");
        row("update links, once a click; About box", "frmPhysicsMain.Command5, frmPhysicsMain.Command5, "
            "frmPhysicsMain.mnuUpdates, frmPhysicsMain.mnuSupport, frmPhysicsMain.mnuAbout",
            "frmPhysicsMain", "frmPhysicsMain", QStringList(4, UpdatesUrl) << "Fyzorin||0|OK");
        row("donation pictures; links by keyboard, not with a modifier",
            "show Form1, Form1.Image2, show Torque2, Torque2.Image2, show Voltage2, Voltage2.Image2, Voltage2.Image2!, "
            "Voltage2.Image2<Return, Voltage2.Image2<Ctrl+Return, show Form1, Form1.Image2<Space, show Chat, "
            "Chat.Label3<Enter", "frmPhysicsMain Form1 Torque2 Voltage2 Chat",
            "frmPhysicsMain Form1 Torque2 Voltage2 Chat", QStringList(5, DonateUrl) << ChatInfoUrl);
        row("a calculator by keyboard alone", "frmPhysicsMain.Command4<Space, Formulasolvers.Command26<Space, "
            "Voltage2.Text2=2.5, Voltage2.Text3=4, Voltage2.Command2<Return, Voltage2.Text1?10, Voltage2<Alt+E",
            "Formulasolvers", "Formulasolvers frmPhysicsMain");
        row("failed handlers show the error box, then the program goes on", "show Faulty, Faulty.Command1, "
            "Faulty.Command2, Faulty.Command3, Faulty.Command1, frmPhysicsMain.Command2",
            "frmPhysicsMain Faulty dictionary", "frmPhysicsMain Faulty dictionary",
            {errorBox("11':\n\nDivision by zero"), errorBox("7':\n\nOut of memory"),
             errorBox("9':\n\nSubscript out of range"), errorBox("11':\n\nDivision by zero")});
        // clang-format on
    }

    void steps()
    {
        QFETCH(QString, steps);
        UrlRecorder urls;
        program->windows.registerKind(Faulty, bindFaulty);
        QSignalSpy ended(&program->windows, &WindowManager::applicationEnded);
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            const QString verb = step.section(' ', 0, 0), target = step.section(' ', 1);
            const auto m = QRegularExpression(R"(^(\w+)\.?(\w*)([<=?!]?)(.*)$)").match(step);
            const QString window = m.captured(1), control = m.captured(2), op = m.captured(3), argument = m.captured(4);
            if (verb == "show")
                program->windows.show(target);
            else if (verb == "unload")
                program->windows.unload(target);
            else if (verb == "close")
                program->windows.instance(target).close(); // the title bar's close box
            else if (verb == "active")
                QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &program->windows.instance(target), WaitMs);
            else if (verb == "visible")
                QCOMPARE(sorted(visibleKinds(program->windows)), sorted(target.split(' ')));
            else if (op.isEmpty())
                clickControl(program->windows, window, control);
            else if (QWidget *widget = findControl(&program->windows.instance(window), control); op == "?")
                QCOMPARE(controlText(widget), argument);
            else if (op == "!") { // pressed, then released elsewhere: no click
                QTest::mousePress(widget, Qt::LeftButton);
                QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(-5, -5));
            } else if (Form &form = program->windows.instance(window); QTest::qWaitForWindowActive(&form, WaitMs)) {
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
        QFETCH(QString, visible);
        QFETCH(QString, loaded);
        QFETCH(QStringList, shown);
        QCOMPARE(sorted(visibleKinds(program->windows)), sorted(visible.split(' ', Qt::SkipEmptyParts)));
        QCOMPARE(sorted(program->windows.loadedKinds()), sorted(loaded.split(' ', Qt::SkipEmptyParts)));
        QCOMPARE(QList<bool>({program->windows.hasEnded(), ended.count() == 1}), QList<bool>(2, loaded.isEmpty()));
        QStringList seen = QUrl::toStringList(urls.opened);
        for (const BoxAnswerer::Box &box : program->boxes.boxes)
            seen << QStringList{box.title, box.text, QString::number(box.icon), box.buttons.join(',')}.join('|');
        QCOMPARE(seen, shown);
    }

    void setUpForItsOwnEnd()
    {
        setUpApplication();
        QCOMPARE(QApplication::applicationName() + ' ' + QApplication::organizationName(), "Fyzorin Quellmark");
        QCOMPARE(QApplication::applicationVersion() + ' ' + QGuiApplication::desktopFileName(),
                 "1.00 example.quellmark.fyzorin");
        QVERIFY(!QApplication::windowIcon().isNull());
        // Hidden windows may hold the user's work: the program ends by its own rules, not when Qt sees no window.
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    // Each index button shows its calculator, which computes its own formula; a failure shows its box and the
    // program goes on. Form1's Back leads to the main window, the others' to the index; Angular momentum's and the
    // spring constant's Exit hide them (keeping their values) and show the index, the others' unload them.
    void everyCalculator_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("result");
        // clang-format off
        const std::initializer_list<std::tuple<const char *, const char *, QStringList, const char *>> calculations{
            {"Command15", "Form1", {"2", "4", "3"}, "1.5"},
            {"Command15", "Form1", {"2", "0", "3"}, "Run-time error '11':\n\nDivision by zero"},
            {"Command16", "BeatFrequency", {"440", "442"}, "-2"},
            {"Command18", "AngularMomemtum", {"2.5", "4"}, "10"},
            {"Command19", "DeBroglieWavelength", {"1e-300", "1e-200", "1e-200"}, "1E+100"},
            {"Command20", "Centripetal", {"2", "-3"}, "4.5"}, {"Command25", "Zurich", {"1", "5", "2"}, "25"},
            {"Command25", "Zurich", {"1", "5", "12abc"}, "Run-time error '13':\n\nType mismatch"},
            {"Command22", "ElectricMagneticField", {"299792458", "2"}, "599584916"},
            {"Command21", "massenergy", {"2", "3"}, "18"}, {"Command23", "newtonsecondlaw", {"2", "9.81"}, "19.62"},
            {"Command29", "springconstant", {"10", "4"}, "2.5"}, {"Command27", "Torque2", {"2", "3"}, "6"},
            {"Command26", "Voltage2", {"0.5", "220"}, "110"},
            {"Command24", "Schwarzschild", {"6.674e-11", "1.989e30", "299792458"}, "2953.99377139772"}};
        // clang-format on
        for (const auto &[button, window, inputs, result] : calculations)
            QTest::addRow("%s %s", window, qPrintable(inputs.join(' '))) << button << window << inputs << result;
    }

    void everyCalculator()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(QStringList, inputs);
        click("frmPhysicsMain", "Command4");
        click("Formulasolvers", button);
        QCOMPARE(visible(), window == "AngularMomemtum" ? QStringList{window} : sorted({"Formulasolvers", window}));
        for (int i = 0; i < inputs.size(); ++i)
            set(window, "Text" + QString::number(i + 2), inputs[i]);
        click(window, "Command2");
        QVERIFY(!Balloon::current()); // every text read whole; Zurich's strict g says its fault in the box
        QTEST(program->boxes.boxes.isEmpty() ? text(window, "Text1") : lastBox() + text(window, "Text1"), "result");

        const bool exitHides = window == "AngularMomemtum" || window == "springconstant";
        program->windows.show("frmPhysicsMain");
        program->windows.unload("Formulasolvers");
        click(window, "mnuExit");
        QCOMPARE(program->windows.isVisible("Formulasolvers"), exitHides);
        program->windows.show(window);
        QCOMPARE(text(window, "Text2"), exitHides ? inputs[0] : "");
        click(window, "Command1");
        QCOMPARE(visible(),
                 window == "Form1" ? QStringList{"frmPhysicsMain"} : sorted({"Formulasolvers", "frmPhysicsMain"}));
    }

    // A note beside the first box the reading left part of, on Calculate or Convert (not while typed), gone at the
    // next key press.
    void notes_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("noteBeside");
        QTest::newRow("first") << "DeBroglieWavelength" << QStringList{"Text3=2,5", "Text4=3 m/s"} << "Command2"
                               << "Text3";
        QTest::newRow("strict g") << "Zurich" << QStringList{"Text4=2,5"} << "Command2"
                                  << "";
        QTest::newRow("converter") << "converters" << QStringList{"Text4=2,5"} << "Command3"
                                   << "Text4";
        QTest::newRow("while typed") << "converters" << QStringList{"Text5=2,5"} << ""
                                     << "";
    }

    void notes()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, typed);
        program->windows.show(window);
        for (const QString &entry : typed)
            QTest::keyClicks(box(window, entry.section('=', 0, 0)), entry.section('=', 1));
        if (QFETCH(QString, button); !button.isEmpty())
            click(window, button);
        QFETCH(QString, noteBeside);
        const auto *note = qobject_cast<QLabel *>(Balloon::current());
        QCOMPARE(note ? note->text().section(' ', 4, 4) : "", noteBeside.isEmpty() ? "" : "\",5\"");
        if (!note)
            return;
        const QWidget *beside = box(window, noteBeside);
        QCOMPARE(note->pos(), beside->mapToGlobal(QPoint(0, beside->height() + 2)));
        QVERIFY(!note->isActiveWindow() && QApplication::focusWidget() != note);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Shift);
        QVERIFY(!Balloon::current());
    }

    // The right-click menu keeps Qt's entries and inserts constants read whole; Enter calculates; a result shows
    // its leading digits; a long paste is kept whole.
    void constantsEnterAndLongText()
    {
        const QString window = "DeBroglieWavelength";
        program->windows.show(window);
        const auto insert = [&](const QString &c, const QString &constant) {
            QWidget *line = box(window, c);
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), line->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(line, &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu && menu->actions().last()->menu());
            QCOMPARE(menu->actions()[5]->text() + ", " + menu->actions().last()->text(),
                     "&Paste\tCtrl+V, Insert constant");
            for (QAction *entry : menu->actions().last()->menu()->actions())
                if (entry->text().startsWith(constant))
                    entry->trigger();
            menu->close();
        };
        insert("Text2", "Planck constant h = 6.62607015E-34 J s");
        insert("Text3", "electron mass m_e = 9.1093837139E-31 kg");
        QTest::keyClicks(box(window, "Text4"), "1E6");
        QTest::keyClick(box(window, "Text4"), Qt::Key_Return);
        QCOMPARE(text(window, "Text1"), "7.27389509335224E-10");
        QCOMPARE(qobject_cast<QLineEdit *>(box(window, "Text1"))->cursorPosition(), 0);

        QApplication::clipboard()->setText("0." + QString(99998, '5'));
        qobject_cast<QLineEdit *>(box(window, "Text4"))->paste();
        QCOMPARE(text(window, "Text4").size(), 100000 + 3);
    }

    // Every label keeps the contrast it was designed with on a dark desktop palette.
    void contrastWhateverTheTheme()
    {
        const auto contrasts = [&](const QPalette &desktop) {
            QApplication::setPalette(desktop);
            setUpApplication();
            program = std::make_unique<RunningProgram>(); // windows built afresh under it
            QList<double> ratios;
            for (const QString &kind : program->windows.kindNames())
                for (const QLabel *label : program->windows.instance(kind).findChildren<QLabel *>()) {
                    const QWidget *behind = label->autoFillBackground() ? label : label->parentWidget();
                    const auto luminance
                        = [](QColor c) { return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF(); };
                    const double text = luminance(label->palette().color(label->foregroundRole()));
                    const double back = luminance(behind->palette().color(behind->backgroundRole()));
                    ratios << (std::max(text, back) + 0.05) / (std::min(text, back) + 0.05);
                }
            return ratios;
        };
        const QList<double> dark = contrasts(QPalette(QColor(40, 40, 40)));
        QCOMPARE(dark, contrasts(std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette()));
    }

    // A button converts its box into its box; inches convert while typed, and an overflow there keeps the result.
    void converters()
    {
        click("frmPhysicsMain", "Command1");
        set("converters", "Text4", "100");
        set("converters", "Text3", "typed over");
        click("converters", "Command3");
        QCOMPARE(text("converters", "Text4") + ' ' + text("converters", "Text3"),
                 QStringLiteral("100 160.25641025641"));
        QTest::keyClick(box("converters", "Text5"), Qt::Key_1);
        QCOMPARE(text("converters", "Text6"), QStringLiteral("2.54"));
        QTest::keyClicks(box("converters", "Text5"), QStringLiteral("e308"));
        QCOMPARE(lastBox(), QStringLiteral("Run-time error '6':\n\nOverflow"));
        QCOMPARE(text("converters", "Text5") + ' ' + text("converters", "Text6"), QStringLiteral("1e308 2.54E+30"));
    }

    // Shown whole, read afresh on every click whatever the user typed; a missing file: box, text kept.
    void dictionary()
    {
        QTemporaryDir folder; // the program's folder, where it reads the dictionary
        program.reset();
        program = std::make_unique<RunningProgram>(folder.path());
        QFile file(folder.filePath(QString::fromLatin1(dictionary::FileName)));
        for (const QByteArray bytes : {"Acceleration - a\r\n\r\nCaf\xe9 - \x80\r\n", "Joule\r\n"}) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
            file.close();
            click("frmPhysicsMain", "Command2");
            QCOMPARE(text("dictionary", "Text1"), dictionary::decodeDictionary(bytes));
            QTest::keyClicks(box("dictionary", "Text1"), QStringLiteral("notes"));
        }
        const QString kept = text("dictionary", "Text1");
        QVERIFY(file.remove());
        click("frmPhysicsMain", "Command2");
        QCOMPARE(lastBox(), QStringLiteral("Run-time error '53':\n\nFile not found"));
        QCOMPARE(text("dictionary", "Text1"), kept); // still loaded
    }

    // Ctrl+F opens the find field; Enter selects the next match in any case, wrapping; F3 finds at once.
    void find()
    {
        QTemporaryDir folder;
        program.reset();
        program = std::make_unique<RunningProgram>(folder.path());
        QFile file(folder.filePath(QString::fromLatin1(dictionary::FileName)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Ohm - unit\nVolt\nOHM's law\n") > 0);
        file.close();
        click("frmPhysicsMain", "Command2");
        Form &window = program->windows.instance("dictionary");
        auto *text = qobject_cast<QPlainTextEdit *>(box("dictionary", "Text1"));
        QVERIFY(!box("dictionary", "findField") && QTest::qWaitForWindowActive(&window, WaitMs));
        QTest::keySequence(&window, QKeySequence::Find);
        auto *field = qobject_cast<QLineEdit *>(box("dictionary", "findField"));
        QVERIFY(field && field->hasFocus());
        const QLabel *noMatch = field->findChild<QLabel *>();
        const auto press = [&](QWidget *to, int key, int start, const QString &selected) {
            QTest::keyClick(to, Qt::Key(key));
            QCOMPARE(text->textCursor().selectionStart(), start);
            QCOMPARE(text->textCursor().selectedText(), selected);
        };
        QTest::keyClicks(field, QStringLiteral("oHm"));
        press(field, Qt::Key_Return, 0, "Ohm");
        press(field, Qt::Key_Escape, 0, "Ohm"); // closed, the selection kept
        QVERIFY(field->isHidden() && text->hasFocus());
        press(text, Qt::Key_F3, 16, "OHM");
        QVERIFY(field->isVisible() && field->hasFocus());
        press(field, Qt::Key_Return, 0, "Ohm"); // from the top again
        QVERIFY(noMatch->isHidden());
        QTest::keyClick(field, Qt::Key_X); // replaces the term, selected on opening
        press(field, Qt::Key_Enter, 0, "Ohm");
        QVERIFY(noMatch->isVisible() && noMatch->text() == "no match");
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(noMatch->isHidden());
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
