// Every calculator through its real window: type the inputs, press
// Calculate, read the result box; the index's moves between windows.

#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QTest>
#include <memory>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");
const QString Index = QStringLiteral("Formulasolvers");

QString boxText(WindowManager &windows, const QString &window, const QString &box)
{
    return forms::controlText(forms::findControl(&windows.instance(window), box));
}

void type(WindowManager &windows, const QString &window, const QString &box, const QString &text)
{
    QWidget *control = forms::findControl(&windows.instance(window), box);
    QVERIFY2(control, qPrintable(window + QLatin1Char('.') + box));
    forms::setControlText(control, QString());
    QTest::keyClicks(control, text);
}

} // namespace

class CalculatorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void calculate_data();
    void calculate();
    void failureKeepsPreviousResult();
    void indexButtons_data();
    void indexButtons();
    void backAndExit_data();
    void backAndExit();
    void valuesSurviveBackButNotExit();
    void severalCalculatorsAtOnce();

private:
    std::unique_ptr<RunningProgram> program;
};

void CalculatorsTest::calculate_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("inputs"); // Text2, Text3, Text4
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("error");

    auto row = [](const char *name, const char *window, QStringList inputs, const char *result, int error = 0) {
        QTest::newRow(name) << QString::fromLatin1(window) << inputs << QString::fromLatin1(result) << error;
    };
    using L = QStringList;
    row("Form1 quotient then product", "Form1", L{"2", "4", "3"}, "1.5");
    row("Form1 empty", "Form1", L{"", "", ""}, "", 6);
    row("Form1 zero mass", "Form1", L{"2", "0", "3"}, "", 11);
    row("Beat negative", "BeatFrequency", L{"440", "442"}, "-2");
    row("Beat empty", "BeatFrequency", L{"", ""}, "0");
    row("Angular product", "AngularMomemtum", L{"2.5", "4"}, "10");
    row("Angular empty", "AngularMomemtum", L{"", ""}, "0");
    row("DeBroglie", "DeBroglieWavelength", L{"6", "2", "3"}, "1");
    row("DeBroglie beyond binary64 in between", "DeBroglieWavelength", L{"1e-300", "1e-200", "1e-200"}, "1E+100");
    row("DeBroglie zero velocity", "DeBroglieWavelength", L{"6", "2", "0"}, "", 11);
    row("DeBroglie empty", "DeBroglieWavelength", L{"", "", ""}, "", 6);
    row("Centripetal negative speed", "Centripetal", L{"2", "-3"}, "4.5");
    row("Centripetal square underflows", "Centripetal", L{"1", "1e-200"}, "0");
    row("Centripetal square overflows", "Centripetal", L{"1", "1e200"}, "", 6);
    row("Centripetal zero radius", "Centripetal", L{"0", "3"}, "", 11);
    row("Centripetal empty", "Centripetal", L{"", ""}, "", 6);
    row("Field", "ElectricMagneticField", L{"299792458", "2"}, "599584916");
    row("massenergy", "massenergy", L{"2", "3"}, "18");
    row("massenergy speed of light", "massenergy", L{"1", "300000000"}, "9E+16");
    row("massenergy fraction", "massenergy", L{"1.5", "1"}, "1.5");
    row("Newton", "newtonsecondlaw", L{"2", "9.81"}, "19.62");
    row("Newton blanks and letters", "newtonsecondlaw", L{" 1 0 kg", "2,5"}, "20");
    row("Newton beyond binary64", "newtonsecondlaw", L{"1e308", "10"}, "", 6);
    row("spring", "springconstant", L{"10", "4"}, "2.5");
    row("spring zero extension", "springconstant", L{"5", "0"}, "", 11);
    row("spring zero over zero", "springconstant", L{"0", "0"}, "", 6);
    row("Zurich", "Zurich", L{"1", "5", "2"}, "25");
    row("Zurich fractions", "Zurich", L{"2", "3.5", "1.25"}, "32");
    row("Zurich only groups", "Zurich", L{"", "", "2"}, "0");
    row("Zurich empty groups", "Zurich", L{"1", "5", ""}, "", 13);
    row("Zurich groups with letters", "Zurich", L{"1", "5", "12abc"}, "", 13);
    row("Torque", "Torque2", L{"2", "3"}, "6");
    row("Voltage", "Voltage2", L{"0.5", "220"}, "110");
    row("Voltage empty", "Voltage2", L{"", ""}, "0");
    row("Schwarzschild of the Sun", "Schwarzschild", L{"6.674e-11", "1.989e30", "299792458"}, "2953.99377139772");
    row("Schwarzschild empty", "Schwarzschild", L{"", "", ""}, "", 6);
}

void CalculatorsTest::calculate()
{
    QFETCH(QString, window);
    QFETCH(QStringList, inputs);
    QFETCH(QString, result);
    QFETCH(int, error);
    WindowManager &windows = program->windows;
    windows.show(window);
    for (int i = 0; i < inputs.size(); ++i)
        type(windows, window, QStringLiteral("Text%1").arg(i + 2), inputs[i]);
    clickControl(windows, window, QStringLiteral("Command2"));

    if (error) {
        QCOMPARE(program->boxes.boxes.size(), 1);
        QVERIFY(program->boxes.boxes[0].text.startsWith(QStringLiteral("Run-time error '%1':").arg(error)));
        QVERIFY(windows.isVisible(window)); // the program goes on
    } else {
        QVERIFY(program->boxes.boxes.isEmpty());
    }
    QCOMPARE(boxText(windows, window, QStringLiteral("Text1")), result);
    for (int i = 0; i < inputs.size(); ++i) // inputs are left as typed
        QCOMPARE(boxText(windows, window, QStringLiteral("Text%1").arg(i + 2)), inputs[i]);
}

void CalculatorsTest::failureKeepsPreviousResult()
{
    WindowManager &windows = program->windows;
    const QString spring = QStringLiteral("springconstant");
    windows.show(spring);
    type(windows, spring, QStringLiteral("Text2"), QStringLiteral("10"));
    type(windows, spring, QStringLiteral("Text3"), QStringLiteral("4"));
    clickControl(windows, spring, QStringLiteral("Command2"));
    type(windows, spring, QStringLiteral("Text3"), QStringLiteral("0"));
    clickControl(windows, spring, QStringLiteral("Command2"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(boxText(windows, spring, QStringLiteral("Text1")), QStringLiteral("2.5"));
    type(windows, spring, QStringLiteral("Text1"), QStringLiteral("typed over"));
    type(windows, spring, QStringLiteral("Text3"), QStringLiteral("5"));
    clickControl(windows, spring, QStringLiteral("Command2"));
    QCOMPARE(boxText(windows, spring, QStringLiteral("Text1")), QStringLiteral("2"));
}

void CalculatorsTest::indexButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("visible");
    auto row = [](const char *button, QStringList visible) {
        QTest::newRow(button) << QString::fromLatin1(button) << visible;
    };
    // From the index as the main window's "Formula Solvers" leaves it: the
    // main window hidden, the index visible.
    row("Command15", {Index, QStringLiteral("Form1")});
    row("Command16", {Index, QStringLiteral("BeatFrequency")});
    row("Command18", {QStringLiteral("AngularMomemtum")});
    row("Command19", {Index, QStringLiteral("DeBroglieWavelength")});
    row("Command20", {Index, QStringLiteral("Centripetal")});
    row("Command21", {Index, QStringLiteral("massenergy")});
    row("Command22", {Index, QStringLiteral("ElectricMagneticField")});
    row("Command23", {Index, QStringLiteral("newtonsecondlaw")});
    row("Command24", {Index, QStringLiteral("Schwarzschild")});
    row("Command25", {Index, QStringLiteral("Zurich")});
    row("Command26", {Index, QStringLiteral("Voltage2")});
    row("Command27", {Index, QStringLiteral("Torque2")});
    row("Command29", {Index, QStringLiteral("springconstant")});
    row("Command1", {Main});
}

void CalculatorsTest::indexButtons()
{
    QFETCH(QString, button);
    QFETCH(QStringList, visible);
    clickControl(program->windows, Main, QStringLiteral("Command4"));
    clickControl(program->windows, Index, button);
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted(visible));
    QVERIFY(program->windows.isLoaded(Main));
}

void CalculatorsTest::backAndExit_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<bool>("stillLoaded");
    auto row = [](const char *name, const char *button, const char *window, const char *control,
                  QStringList visible, bool loaded) {
        QTest::newRow(name) << QString::fromLatin1(button) << QString::fromLatin1(window)
                            << QString::fromLatin1(control) << visible << loaded;
    };
    row("Form1 Back shows the main window beside the index", "Command15", "Form1", "Command1", {Index, Main}, true);
    row("Form1 Exit unloads", "Command15", "Form1", "mnuExit", {Index}, false);
    row("Beat Back", "Command16", "BeatFrequency", "Command1", {Index}, true);
    row("Angular Back shows the hidden index", "Command18", "AngularMomemtum", "Command1", {Index}, true);
    row("Angular Exit hides and shows the index", "Command18", "AngularMomemtum", "mnuExit", {Index}, true);
    row("spring Exit hides and shows the index", "Command29", "springconstant", "mnuExit", {Index}, true);
    row("Zurich close box", "Command25", "Zurich", "close", {Index}, false);
    row("Schwarzschild Back", "Command24", "Schwarzschild", "Command1", {Index}, true);
    row("Schwarzschild Exit", "Command24", "Schwarzschild", "mnuExit", {Index}, false);
}

void CalculatorsTest::backAndExit()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QStringList, visible);
    QFETCH(bool, stillLoaded);
    WindowManager &windows = program->windows;
    clickControl(windows, Main, QStringLiteral("Command4"));
    clickControl(windows, Index, button);
    if (control == QLatin1String("close"))
        closeWindow(windows, window);
    else
        clickControl(windows, window, control);
    QCOMPARE(sorted(visibleKinds(windows)), sorted(visible));
    QCOMPARE(windows.isLoaded(window), stillLoaded);
}

void CalculatorsTest::valuesSurviveBackButNotExit()
{
    WindowManager &windows = program->windows;
    const QString form1 = QStringLiteral("Form1");
    clickControl(windows, Main, QStringLiteral("Command4"));
    clickControl(windows, Index, QStringLiteral("Command15"));
    type(windows, form1, QStringLiteral("Text2"), QStringLiteral("2"));
    type(windows, form1, QStringLiteral("Text3"), QStringLiteral("4"));
    type(windows, form1, QStringLiteral("Text4"), QStringLiteral("3"));
    clickControl(windows, form1, QStringLiteral("Command2"));
    clickControl(windows, form1, QStringLiteral("Command1"));
    clickControl(windows, Index, QStringLiteral("Command15"));
    QCOMPARE(boxText(windows, form1, QStringLiteral("Text2")), QStringLiteral("2"));
    QCOMPARE(boxText(windows, form1, QStringLiteral("Text1")), QStringLiteral("1.5"));

    clickControl(windows, form1, QStringLiteral("mnuExit"));
    clickControl(windows, Index, QStringLiteral("Command15"));
    for (const char *box : {"Text1", "Text2", "Text3", "Text4"})
        QCOMPARE(boxText(windows, form1, QString::fromLatin1(box)), QString());
}

void CalculatorsTest::severalCalculatorsAtOnce()
{
    WindowManager &windows = program->windows;
    clickControl(windows, Main, QStringLiteral("Command4"));
    clickControl(windows, Index, QStringLiteral("Command15"));
    clickControl(windows, Index, QStringLiteral("Command16"));
    QCOMPARE(sorted(visibleKinds(windows)), sorted({Index, QStringLiteral("Form1"), QStringLiteral("BeatFrequency")}));
    // After the index's Exit the main window stays hidden while calculators are on screen.
    clickControl(windows, Index, QStringLiteral("mnuExit"));
    QCOMPARE(sorted(visibleKinds(windows)), sorted({QStringLiteral("Form1"), QStringLiteral("BeatFrequency")}));
    QVERIFY(!windows.isLoaded(Index));
}

QTEST_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
