// Every control can be named by assistive technology, and every window can
// be worked with the keyboard alone.

#include "LinkAddresses.h"
#include "forms/AllForms.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/WindowBuilder.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QSet>
#include <QTest>
#include <memory>

using namespace forms;

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Tabs through a window until the control has the focus; false if it never does.
bool tabTo(QWidget &window, const QString &control)
{
    for (int step = 0; step < 80; ++step) {
        if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == control)
            return true;
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
    }
    return false;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
    void calculatorByKeyboard();
    void linksByKeyboard_data();
    void linksByKeyboard();
    void menuAccessKey();
};

void AccessibilityTest::names_data()
{
    QTest::addColumn<const WindowDefinition *>("definition");
    for (const WindowDefinition *d : allWindowDefinitions())
        QTest::newRow(d->name.data()) << d;
}

// Text boxes are named by the quantity they hold, not by their initial text;
// no two boxes of a window share a name.
void AccessibilityTest::names()
{
    QFETCH(const WindowDefinition *, definition);
    const auto form = buildWindow(*definition);
    QSet<QString> boxNames;
    for (const ControlDefinition &c : definition->controls) {
        if (c.kind == ControlKind::Socket)
            continue;
        QWidget *widget = findControl(form.get(), toQString(c.name));
        const QString name = accessibleName(widget);
        QVERIFY2(!name.trimmed().isEmpty(), c.name.data());
        QVERIFY2(!name.contains(QLatin1Char('&')) || c.caption.find("&&") != std::string_view::npos, c.name.data());
        if (c.kind == ControlKind::TextBox) {
            QVERIFY2(name != toQString(c.caption) || c.caption.empty(), c.name.data());
            QVERIFY2(!boxNames.contains(name), qPrintable(name));
            boxNames.insert(name);
        }
    }
}

// Main window -> Formula Solvers -> Voltage equation, typed and calculated
// with keys only, then back by the menu's access key.
void AccessibilityTest::calculatorByKeyboard()
{
    RunningProgram program;
    QWidget &main = program.windows.instance(WindowManager::MainWindow);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(tabTo(main, QStringLiteral("Command4")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

    QWidget &index = program.windows.instance(QStringLiteral("Formulasolvers"));
    QVERIFY(QTest::qWaitForWindowActive(&index));
    QVERIFY(tabTo(index, QStringLiteral("Command26")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

    QWidget &voltage = program.windows.instance(QStringLiteral("Voltage2"));
    QVERIFY(QTest::qWaitForWindowActive(&voltage));
    QVERIFY(tabTo(voltage, QStringLiteral("Text2")));
    QCOMPARE(accessibleName(QApplication::focusWidget()), QStringLiteral("current I"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(accessibleName(QApplication::focusWidget()), QStringLiteral("resistance R"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(controlText(findControl(&voltage, QStringLiteral("Text1"))), QStringLiteral("10"));

    QTest::keyClick(&voltage, Qt::Key_E, Qt::AltModifier); // "&Exit"
    settleEvents();
    QVERIFY(!program.windows.isLoaded(QStringLiteral("Voltage2")));
    QVERIFY(program.boxes.boxes.isEmpty());
}

void AccessibilityTest::linksByKeyboard_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("address");
    QTest::newRow("donation picture, Enter") << "Voltage2" << "Image2" << int(Qt::Key_Return) << DonateUrl;
    QTest::newRow("donation picture, Space") << "Form1" << "Image2" << int(Qt::Key_Space) << DonateUrl;
    QTest::newRow("chat address label") << "Chat" << "Label3" << int(Qt::Key_Enter) << ChatInfoUrl;
}

void AccessibilityTest::linksByKeyboard()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, address);
    UrlRecorder urls;
    RunningProgram program;
    program.windows.show(window);
    QWidget &form = program.windows.instance(window);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(tabTo(form, control));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(urls.opened, QList<QUrl>{QUrl(address)});
    // A key with a modifier is not a click.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(urls.opened.size(), 1);
}

// Menus open by their access keys: Alt+F opens the chat window's File menu.
void AccessibilityTest::menuAccessKey()
{
    RunningProgram program;
    program.windows.show(QStringLiteral("Chat"));
    QWidget &chat = program.windows.instance(QStringLiteral("Chat"));
    QVERIFY(QTest::qWaitForWindowActive(&chat));
    QTest::keyClick(&chat, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("mnuFile"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
