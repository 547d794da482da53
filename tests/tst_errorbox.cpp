// A run-time error in a handler shows the error box; when it is dismissed the
// handler is abandoned and the program goes on with every window as it was.

#include "app/RunTimeError.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/WindowDefinition.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <new>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");
const QString Faulty = QStringLiteral("Faulty");

constexpr forms::ControlDefinition FaultyControls[] = {
    {.name = "Text1", .kind = forms::ControlKind::TextBox, .left = 0, .top = 0, .width = 1500, .height = 285, .tab = 0},
    {.name = "Text2", .kind = forms::ControlKind::TextBox, .left = 0, .top = 300, .width = 1500, .height = 285, .tab = 1},
    {.name = "Command1", .kind = forms::ControlKind::Button, .caption = "Divide", .left = 0, .top = 600, .width = 1500, .height = 375, .tab = 2},
    {.name = "Command2", .kind = forms::ControlKind::Button, .caption = "Memory", .left = 0, .top = 1000, .width = 1500, .height = 375, .tab = 3},
    {.name = "Command3", .kind = forms::ControlKind::Button, .caption = "Nowhere", .left = 0, .top = 1400, .width = 1500, .height = 375, .tab = 4},
};
constexpr forms::WindowDefinition FaultyWindow{.name = "Faulty", .caption = "Faulty", .clientWidth = 1500, .clientHeight = 1800, .controls = FaultyControls};

void bindFaulty(WindowEvents &events)
{
    forms::Form *self = &events.window();
    WindowManager *windows = &events.manager();
    // Writes one box, fails, and would have written the other.
    events.onClick(QStringLiteral("Command1"), [self] {
        forms::setControlText(forms::findControl(self, QStringLiteral("Text1")), QStringLiteral("written"));
        throw RunTimeError::divisionByZero();
        forms::setControlText(forms::findControl(self, QStringLiteral("Text2")), QStringLiteral("not written"));
    });
    events.onClick(QStringLiteral("Command2"), [] { throw std::bad_alloc(); });
    events.onClick(QStringLiteral("Command3"), [windows] { windows->show(QStringLiteral("NoSuchWindow")); });
}

} // namespace

class ErrorBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void errorBox_data();
    void errorBox();
    void handlerIsAbandonedAndProgramGoesOn();

private:
    std::unique_ptr<RunningProgram> program;
};

void ErrorBoxTest::init()
{
    program = std::make_unique<RunningProgram>();
    program->windows.registerKind(FaultyWindow, bindFaulty);
    program->windows.show(Faulty);
}

void ErrorBoxTest::cleanup()
{
    program.reset();
}

void ErrorBoxTest::errorBox_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("division by zero") << QStringLiteral("Command1") << QStringLiteral("Run-time error '11':\n\nDivision by zero");
    QTest::newRow("memory exhausted") << QStringLiteral("Command2") << QStringLiteral("Run-time error '7':\n\nOut of memory");
    QTest::newRow("window that does not exist") << QStringLiteral("Command3") << QStringLiteral("Run-time error '9':\n\nSubscript out of range");
}

void ErrorBoxTest::errorBox()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    clickControl(program->windows, Faulty, control);
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(program->boxes.boxes[0].title, QStringLiteral("Fyzorin"));
    QCOMPARE(program->boxes.boxes[0].text, text);
    QCOMPARE(program->boxes.boxes[0].buttons, QStringList{QStringLiteral("OK")});
}

void ErrorBoxTest::handlerIsAbandonedAndProgramGoesOn()
{
    QSignalSpy ended(&program->windows, &WindowManager::applicationEnded);
    forms::Form &faulty = program->windows.instance(Faulty);
    QTest::keyClicks(forms::findControl(&faulty, QStringLiteral("Text2")), QStringLiteral("typed"));

    clickControl(program->windows, Faulty, QStringLiteral("Command1"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(forms::controlText(forms::findControl(&faulty, QStringLiteral("Text1"))), QStringLiteral("written"));
    QCOMPARE(forms::controlText(forms::findControl(&faulty, QStringLiteral("Text2"))), QStringLiteral("typed"));
    QCOMPARE(sorted(visibleKinds(program->windows)), sorted({Faulty, Main}));
    QCOMPARE(ended.count(), 0);

    // The program still answers: the same failure again, then navigation.
    clickControl(program->windows, Faulty, QStringLiteral("Command1"));
    QCOMPARE(program->boxes.boxes.size(), 2);
    clickControl(program->windows, Main, QStringLiteral("Command2"));
    QVERIFY(program->windows.isVisible(QStringLiteral("dictionary")));
    QCOMPARE(ended.count(), 0);
}

QTEST_MAIN(ErrorBoxTest)
#include "tst_errorbox.moc"
