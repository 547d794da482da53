// The converter window through its real controls: every conversion, the
// inches box converting while the user types, and the run-time error of a
// result beyond binary64.

#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QTest>
#include <memory>

namespace {

const QString Converters = QStringLiteral("converters");

QWidget *box(WindowManager &windows, const char *name)
{
    return forms::findControl(&windows.instance(Converters), QString::fromLatin1(name));
}

} // namespace

class ConvertersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { program.reset(); }

    void convert_data();
    void convert();
    void inchesConvertWhileTyping();
    void overflowShowsErrorAndGoesOn();

private:
    std::unique_ptr<RunningProgram> program;
};

void ConvertersTest::init()
{
    program = std::make_unique<RunningProgram>();
    clickControl(program->windows, QStringLiteral("frmPhysicsMain"), QStringLiteral("Command1"));
}

void ConvertersTest::convert_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    auto row = [](const char *name, const char *button, const char *input, const char *output,
                  const char *typed, const char *shown) {
        QTest::newRow(name) << QString::fromLatin1(button) << QString::fromLatin1(input)
                            << QString::fromLatin1(output) << QString::fromLatin1(typed) << QString::fromLatin1(shown);
    };
    row("km empty", "Command2", "Text1", "Text2", "", "0");
    row("100 km", "Command2", "Text1", "Text2", "100", "62.4");
    row("1 mile", "Command3", "Text4", "Text3", "1", "1.6025641025641");
    row("10 miles", "Command3", "Text4", "Text3", "10", "16.025641025641");
    row("inches to cm", "Command4", "Text5", "Text6", "12", "30.48");
    row("inches to m", "Command5", "Text8", "Text7", "100", "2.54");
    row("3 feet", "Command6", "Text9", "Text10", "3", "0.9144");
    row("yards with letters", "Command7", "Text11", "Text12", "12abc", "10.9728");
    row("1 foot", "Command8", "Text14", "Text13", "1", "30.48");
    row("fahrenheit empty", "Command9", "Text16", "Text15", "", "-17.7777777777778");
    row("212 F", "Command9", "Text16", "Text15", "212", "100");
    row("-40 F", "Command9", "Text16", "Text15", "-40", "-40");
    row("celcius empty", "Command10", "Text17", "Text18", "", "32");
    row("100 C", "Command10", "Text17", "Text18", "100", "212");
    row("37 C", "Command10", "Text17", "Text18", "37", "98.6");
    row("Rankine empty", "Command11", "Text20", "Text19", "", "-459.67");
    row("491.67 R", "Command11", "Text20", "Text19", "491.67", "32");
}

void ConvertersTest::convert()
{
    QFETCH(QString, button);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    WindowManager &windows = program->windows;
    QWidget *in = forms::findControl(&windows.instance(Converters), input);
    QWidget *out = forms::findControl(&windows.instance(Converters), output);
    QTest::keyClicks(in, typed);
    forms::setControlText(out, QStringLiteral("typed over")); // the output box is an ordinary box
    clickControl(windows, Converters, button);
    QCOMPARE(forms::controlText(out), shown);
    QCOMPARE(forms::controlText(in), typed);
    QVERIFY(program->boxes.boxes.isEmpty());
}

void ConvertersTest::inchesConvertWhileTyping()
{
    WindowManager &windows = program->windows;
    QWidget *inches = box(windows, "Text5");
    QWidget *centimetres = box(windows, "Text6");
    QTest::keyClick(inches, Qt::Key_1);
    QCOMPARE(forms::controlText(centimetres), QStringLiteral("2.54"));
    QTest::keyClick(inches, Qt::Key_0);
    QCOMPARE(forms::controlText(centimetres), QStringLiteral("25.4"));
    QCOMPARE(forms::controlText(inches), QStringLiteral("10"));

    forms::setControlText(centimetres, QStringLiteral("mine"));
    QTest::keyClick(inches, Qt::Key_Backspace);
    QCOMPARE(forms::controlText(centimetres), QStringLiteral("2.54"));
    QTest::keyClick(inches, Qt::Key_Backspace);
    QCOMPARE(forms::controlText(centimetres), QStringLiteral("0"));

    // Values survive Back and reopening, and vanish after Exit.
    QTest::keyClicks(inches, QStringLiteral("4"));
    clickControl(windows, Converters, QStringLiteral("Command1"));
    clickControl(windows, QStringLiteral("frmPhysicsMain"), QStringLiteral("Command1"));
    QCOMPARE(forms::controlText(box(windows, "Text6")), QStringLiteral("10.16"));
    clickControl(windows, Converters, QStringLiteral("mnuExit"));
    clickControl(windows, QStringLiteral("frmPhysicsMain"), QStringLiteral("Command1"));
    QCOMPARE(forms::controlText(box(windows, "Text5")), QString());
    QCOMPARE(forms::controlText(box(windows, "Text6")), QString());
}

void ConvertersTest::overflowShowsErrorAndGoesOn()
{
    WindowManager &windows = program->windows;
    QTest::keyClicks(box(windows, "Text14"), QStringLiteral("1"));
    clickControl(windows, Converters, QStringLiteral("Command8"));
    forms::setControlText(box(windows, "Text14"), QStringLiteral("1E+308"));
    clickControl(windows, Converters, QStringLiteral("Command8"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(program->boxes.boxes[0].text, QStringLiteral("Run-time error '6':\n\nOverflow"));
    QCOMPARE(forms::controlText(box(windows, "Text13")), QStringLiteral("30.48"));

    // Typed into the inches box, the same overflow comes from the edit handler.
    QTest::keyClicks(box(windows, "Text5"), QStringLiteral("1e308"));
    QCOMPARE(program->boxes.boxes.size(), 2);
    QCOMPARE(forms::controlText(box(windows, "Text5")), QStringLiteral("1e308"));
    QVERIFY(windows.isVisible(Converters));
}

QTEST_MAIN(ConvertersTest)
#include "tst_converters.moc"
