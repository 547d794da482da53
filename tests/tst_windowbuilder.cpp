// The builder turns each definition into exactly the window it describes.

#include "forms/CalculatorForms.h"
#include "forms/ChatForm.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "forms/WindowBuilder.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <climits>

using namespace forms;

Q_DECLARE_METATYPE(const forms::WindowDefinition *)

namespace {

bool hasKind(const QWidget *widget, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return qobject_cast<const CaptionButton *>(widget);
    case ControlKind::Label: return qobject_cast<const LabelControl *>(widget) && static_cast<const QLabel *>(widget)->pixmap().isNull();
    case ControlKind::TextBox: return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
    case ControlKind::Frame: return qobject_cast<const QGroupBox *>(widget);
    case ControlKind::Image: return qobject_cast<const LabelControl *>(widget);
    case ControlKind::Line: return qobject_cast<const LineControl *>(widget);
    case ControlKind::ListBox: return qobject_cast<const QListWidget *>(widget);
    case ControlKind::Socket: return false;
    }
    return false;
}

// A window using what the shell windows do not: lines, a picture, nested
// frames, a list box and a socket.
constexpr ControlDefinition SampleControls[] = {
    {.name = "Outer", .kind = ControlKind::Frame, .caption = "Outer", .left = 0, .top = 0, .width = 3000, .height = 3000, .tab = 0},
    {.name = "Inner", .kind = ControlKind::Frame, .container = "Outer", .caption = "Inner", .left = 150, .top = 300, .width = 1500, .height = 1500, .tab = 1},
    {.name = "Text1", .kind = ControlKind::TextBox, .container = "Inner", .left = 150, .top = 300, .width = 900, .height = 285, .tab = 3},
    {.name = "List", .kind = ControlKind::ListBox, .container = "Outer", .left = 1800, .top = 300, .width = 900, .height = 900, .tab = 2},
    {.name = "sock", .kind = ControlKind::Socket, .container = "Outer"},
    {.name = "Line1", .kind = ControlKind::Line, .left = 3600, .top = 300, .width = 3300, .height = 600},
    {.name = "Line2", .kind = ControlKind::Line, .left = 3300, .top = 1200, .width = 3900, .height = 1200},
    {.name = "Image2", .kind = ControlKind::Image, .left = 3300, .top = 1500, .width = 15, .height = 15, .picture = ":/fyzorin/fyzorin.png"},
};

constexpr WindowDefinition Sample{.name = "Sample", .caption = "Sample  window ", .clientWidth = 4500, .clientHeight = 3000, .controls = SampleControls};

} // namespace

class WindowBuilderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void definitions_data();
    void definitions();
    void window_data() { definitions_data(); }
    void window();
    void controls_data() { definitions_data(); }
    void controls();
    void drawingOrder_data() { definitions_data(); }
    void drawingOrder();
    void focusOrder_data() { definitions_data(); }
    void focusOrder();
    void menuBar_data() { definitions_data(); }
    void menuBar();
    void exactValues();
    void calculatorExactValues();
    void linesAndPictures();
    void framesNest();
};

void WindowBuilderTest::definitions_data()
{
    QTest::addColumn<const WindowDefinition *>("definition");
    QTest::addColumn<int>("controlCount");
    QTest::addColumn<QString>("firstFocus");
    QTest::newRow("frmPhysicsMain") << &mainWindowDefinition() << 13 << "Command2";
    QTest::newRow("Formulasolvers") << &formulaIndexDefinition() << 15 << "Command1";
    QTest::newRow("converters") << &convertersDefinition() << 61 << "Command1";
    QTest::newRow("dictionary") << &dictionaryDefinition() << 2 << "Command1";
    QTest::newRow("Chat") << &chatDefinition() << 17 << "txtName";
    const std::pair<std::string_view, int> calculatorCounts[] = {
        {"Form1", 18}, {"BeatFrequency", 9}, {"AngularMomemtum", 8}, {"DeBroglieWavelength", 13},
        {"Centripetal", 12}, {"ElectricMagneticField", 7}, {"massenergy", 9}, {"newtonsecondlaw", 7},
        {"springconstant", 10}, {"Zurich", 11}, {"Torque2", 11}, {"Voltage2", 11}, {"Schwarzschild", 12}};
    QCOMPARE(calculatorDefinitions().size(), std::size(calculatorCounts));
    for (const auto &[name, count] : calculatorCounts) {
        const auto found = std::find_if(calculatorDefinitions().begin(), calculatorDefinitions().end(),
                                         [&](const WindowDefinition &d) { return d.name == name; });
        QVERIFY(found != calculatorDefinitions().end());
        QTest::newRow(name.data()) << &*found << count << "Command1";
    }
}

// Properties every definition must have for the windows to work at all.
void WindowBuilderTest::definitions()
{
    QFETCH(const WindowDefinition *, definition);
    QFETCH(int, controlCount);
    QCOMPARE(int(definition->controls.size()), controlCount);

    QSet<std::string_view> names;
    QSet<int> tabs;
    QSet<std::string_view> frames;
    for (const ControlDefinition &c : definition->controls) {
        QVERIFY2(!names.contains(c.name), c.name.data());
        names.insert(c.name);
        const bool needsTab = c.kind != ControlKind::Image && c.kind != ControlKind::Line && c.kind != ControlKind::Socket;
        QCOMPARE(c.tab != NoTabStop, needsTab);
        if (needsTab) {
            QVERIFY2(!tabs.contains(c.tab), c.name.data());
            tabs.insert(c.tab);
        }
        if (c.kind == ControlKind::Frame)
            frames.insert(c.name);
    }
    for (const ControlDefinition &c : definition->controls)
        QVERIFY2(c.container.empty() || frames.contains(c.container), c.name.data());
    // Tab positions run 0..n-1 without gaps.
    for (int i = 0; i < tabs.size(); ++i)
        QVERIFY(tabs.contains(i));
}

void WindowBuilderTest::window()
{
    QFETCH(const WindowDefinition *, definition);
    const auto form = buildWindow(*definition);
    QCOMPARE(form->objectName(), toQString(definition->name));
    QCOMPARE(form->windowTitle(), toQString(definition->caption));
    QVERIFY(!form->isVisible());

    const QSize client(toPixels(definition->clientWidth), toPixels(definition->clientHeight));
    QCOMPARE(form->clientArea()->size(), client);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->clientArea()->size(), client);
    QCOMPARE(form->minimumSize(), form->maximumSize()); // the user cannot resize it
    const auto *bar = form->findChild<QMenuBar *>();
    QVERIFY(bar);
    QCOMPARE(form->clientArea()->y(), bar->height()); // the client area lies right below the menu bar
    QCOMPARE(form->height(), bar->height() + client.height());

    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(!form->windowIcon().isNull(), !definition->icon.empty());
}

void WindowBuilderTest::controls()
{
    QFETCH(const WindowDefinition *, definition);
    const auto form = buildWindow(*definition);
    const QFont windowFont = toQFont(definition->font);

    for (const ControlDefinition &c : definition->controls) {
        const QString name = toQString(c.name);
        QWidget *widget = findControl(form.get(), name);
        if (c.kind == ControlKind::Socket) {
            QVERIFY(!widget); // not a widget: the chat window supplies the connection itself
            continue;
        }
        QVERIFY2(widget, qPrintable(name));
        QVERIFY2(hasKind(widget, c.kind), qPrintable(name));
        QCOMPARE(controlText(widget), toQString(c.caption));
        QCOMPARE(widget->parentWidget()->objectName(), c.container.empty() ? QString() : toQString(c.container));
        if (c.container.empty())
            QCOMPARE(widget->parentWidget(), form->clientArea());
        if (c.kind == ControlKind::Line) {
            // A line's widget spans its two end points, inclusive.
            const QPoint a(toPixels(c.left), toPixels(c.top));
            const QPoint b(toPixels(c.width), toPixels(c.height));
            QCOMPARE(widget->geometry(), QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
        } else {
            QCOMPARE(widget->geometry(), QRect(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height)));
        }

        // Its own font, or the window's: never the font of a frame around it.
        const QFont expected = c.font ? toQFont(*c.font) : windowFont;
        QCOMPARE(widget->font().family(), expected.family());
        QCOMPARE(widget->font().pointSizeF(), expected.pointSizeF());
        QCOMPARE(widget->font().bold(), expected.bold());
        QCOMPARE(widget->font().underline(), expected.underline());

        if (c.textColour)
            QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(c.textColour->red, c.textColour->green, c.textColour->blue));
        if (c.backColour) {
            QCOMPARE(widget->palette().color(QPalette::Window), QColor(c.backColour->red, c.backColour->green, c.backColour->blue));
            QVERIFY(widget->autoFillBackground());
        }
        if (c.transparent)
            QVERIFY(!widget->autoFillBackground());
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, takesFocus(c));
        QVERIFY(widget->isEnabled());
        QVERIFY(!widget->isHidden());
    }
}

// Within a container, earlier in the list means in front: Qt stacks the
// children of a widget in the order of its children() list, last on top.
void WindowBuilderTest::drawingOrder()
{
    QFETCH(const WindowDefinition *, definition);
    const auto form = buildWindow(*definition);
    for (std::size_t i = 0; i < definition->controls.size(); ++i) {
        for (std::size_t j = i + 1; j < definition->controls.size(); ++j) {
            QWidget *front = findControl(form.get(), toQString(definition->controls[i].name));
            QWidget *back = findControl(form.get(), toQString(definition->controls[j].name));
            if (!front || !back || front->parentWidget() != back->parentWidget())
                continue;
            const QObjectList siblings = front->parentWidget()->children();
            QVERIFY2(siblings.indexOf(front) > siblings.indexOf(back),
                     qPrintable(front->objectName() + QStringLiteral(" behind ") + back->objectName()));
        }
    }
}

void WindowBuilderTest::focusOrder()
{
    QFETCH(const WindowDefinition *, definition);
    QFETCH(QString, firstFocus);
    std::vector<std::pair<int, QString>> expected;
    for (const ControlDefinition &c : definition->controls)
        if (takesFocus(c)) // a picture that is a link has no tab position: it comes last
            expected.emplace_back(c.tab == NoTabStop ? INT_MAX : c.tab, toQString(c.name));
    std::sort(expected.begin(), expected.end());
    QCOMPARE(expected.front().second, firstFocus);

    const auto form = buildWindow(*definition);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(form->focusWidget()->objectName(), firstFocus);

    // Tab walks the focusable controls in tab-position order, then wraps.
    for (std::size_t step = 1; step <= expected.size(); ++step) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
        QCOMPARE(form->focusWidget()->objectName(), expected[step % expected.size()].second);
    }
}

void WindowBuilderTest::menuBar()
{
    QFETCH(const WindowDefinition *, definition);
    const auto form = buildWindow(*definition);
    const auto *bar = form->findChild<QMenuBar *>();
    QVERIFY(bar);
    const QList<QAction *> actions = bar->actions();
    QCOMPARE(actions.size(), qsizetype(definition->menu.size()));
    for (std::size_t i = 0; i < definition->menu.size(); ++i) {
        const MenuEntry &entry = definition->menu[i];
        QCOMPARE(actions[qsizetype(i)]->objectName(), toQString(entry.name));
        QCOMPARE(actions[qsizetype(i)]->text(), toQString(entry.caption));
        QCOMPARE(actions[qsizetype(i)]->menu() != nullptr, !entry.entries.empty());
        QVERIFY(actions[qsizetype(i)]->isEnabled());
        // The letter after "&" is the access key.
        const qsizetype amp = toQString(entry.caption).indexOf(QLatin1Char('&'));
        QCOMPARE(QKeySequence::mnemonic(toQString(entry.caption)),
                 amp < 0 ? QKeySequence() : QKeySequence(Qt::ALT | QKeySequence(toQString(entry.caption).mid(amp + 1, 1))[0].key()));
        if (entry.entries.empty())
            continue;
        const QList<QAction *> items = actions[qsizetype(i)]->menu()->actions();
        QCOMPARE(items.size(), qsizetype(entry.entries.size()));
        for (std::size_t k = 0; k < entry.entries.size(); ++k) {
            QCOMPARE(items[qsizetype(k)]->objectName(), toQString(entry.entries[k].name));
            QCOMPARE(items[qsizetype(k)]->isSeparator(), entry.entries[k].caption == "-");
            if (!items[qsizetype(k)]->isSeparator())
                QCOMPARE(items[qsizetype(k)]->text(), toQString(entry.entries[k].caption));
        }
    }
}

// A handful of values checked by hand against the layouts.
void WindowBuilderTest::exactValues()
{
    const auto main = buildWindow(mainWindowDefinition());
    QCOMPARE(main->windowTitle(), QStringLiteral("Fyzorin - Main"));
    QCOMPARE(main->clientArea()->size(), QSize(382, 227));
    auto *title = findControl(main.get(), QStringLiteral("Label1"));
    QCOMPARE(controlText(title), QStringLiteral("Fyzorin  1.2"));
    QCOMPARE(title->geometry(), QRect(0, 0, 385, 49)); // wider than the window: clipped, not shrunk
    QCOMPARE(title->palette().color(QPalette::Window), QColor(0, 0, 128));
    auto *menuLabel = findControl(main.get(), QStringLiteral("Label2"));
    QVERIFY(!menuLabel->autoFillBackground());

    const auto index = buildWindow(formulaIndexDefinition());
    QCOMPARE(findControl(index.get(), QStringLiteral("Command22"))->geometry(), QRect(8, 8, 145, 65));

    const auto converters = buildWindow(convertersDefinition());
    QCOMPARE(controlText(findControl(converters.get(), QStringLiteral("Frame10"))), QStringLiteral("Rankine to  fahrenheit"));
    QCOMPARE(controlText(findControl(converters.get(), QStringLiteral("Label19"))), QStringLiteral("Enter Rankine  here"));
    QCOMPARE(findControl(converters.get(), QStringLiteral("Frame8"))->geometry(), QRect(224, 176, 225, 89));
    QCOMPARE(findControl(converters.get(), QStringLiteral("Text15"))->geometry(), QRect(120, 24, 97, 19)); // right-hand box

    const auto dictionary = buildWindow(dictionaryDefinition());
    auto *text = qobject_cast<QPlainTextEdit *>(findControl(dictionary.get(), QStringLiteral("Text1")));
    QVERIFY(text);
    QCOMPARE(text->toPlainText(), QStringLiteral("Text1"));
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

void WindowBuilderTest::calculatorExactValues()
{
    auto build = [](std::string_view name) {
        for (const WindowDefinition &d : calculatorDefinitions())
            if (d.name == name)
                return buildWindow(d);
        return std::unique_ptr<Form>();
    };
    auto geometry = [](const std::unique_ptr<Form> &form, const char *control) {
        return findControl(form.get(), QString::fromLatin1(control))->geometry();
    };

    const auto form1 = build("Form1");
    QCOMPARE(form1->windowTitle(), QStringLiteral("Acceleration of a particle in an electric field "));
    QCOMPARE(geometry(form1, "Frame3"), QRect(0, 160, 297, 105));
    QCOMPARE(geometry(form1, "Image2"), QRect(232, 40, 60, 38)); // the picture's own size
    QCOMPARE(findControl(form1.get(), QStringLiteral("Image2"))->parentWidget()->objectName(), QStringLiteral("Frame3"));
    // The times sign: two diagonals crossing in one 240-twip square.
    QCOMPARE(geometry(form1, "Line4"), QRect(176, 64, 17, 17));
    QCOMPARE(geometry(form1, "Line5"), geometry(form1, "Line4"));

    const auto beat = build("BeatFrequency");
    QCOMPARE(beat->windowTitle(), QStringLiteral("Beat Frequency "));
    QCOMPARE(geometry(beat, "Line1"), QRect(80, 56, 17, 1)); // "=": horizontal, one pixel high

    const auto torque = build("Torque2");
    QCOMPARE(geometry(torque, "Image1"), QRect(88, 0, 108, 23));
    QCOMPARE(geometry(torque, "Image2"), QRect(248, 24, 60, 38));
    QVERIFY(!findControl(torque.get(), QStringLiteral("Label1"))->font().bold());

    const auto zurich = build("Zurich");
    QCOMPARE(controlText(findControl(zurich.get(), QStringLiteral("Label1"))), QStringLiteral("R =  k(f + 10g)"));
    const auto angular = build("AngularMomemtum");
    QCOMPARE(findControl(angular.get(), QStringLiteral("Label1"))->font().family(), QStringLiteral("Liberation Serif"));
}

void WindowBuilderTest::linesAndPictures()
{
    const auto form = buildWindow(Sample);
    QCOMPARE(form->windowTitle(), QStringLiteral("Sample  window "));
    QVERIFY(!form->findChild<QMenuBar *>());

    // A line drawn right to left, upwards: its box spans both ends.
    auto *diagonal = qobject_cast<LineControl *>(findControl(form.get(), QStringLiteral("Line1")));
    QVERIFY(diagonal);
    QCOMPARE(diagonal->geometry(), QRect(220, 20, 21, 21));
    QCOMPARE(diagonal->from(), QPoint(20, 0));
    QCOMPARE(diagonal->to(), QPoint(0, 20));
    // Ends differing only in X: horizontal, one pixel high.
    QCOMPARE(findControl(form.get(), QStringLiteral("Line2"))->geometry(), QRect(220, 80, 41, 1));

    // A picture keeps its own pixel size whatever box the layout gives it.
    auto *image = findControl(form.get(), QStringLiteral("Image2"));
    QCOMPARE(image->geometry(), QRect(220, 100, 48, 48));
    // The socket is no widget.
    QVERIFY(!findControl(form.get(), QStringLiteral("sock")));
}

void WindowBuilderTest::framesNest()
{
    const auto form = buildWindow(Sample);
    QWidget *text = findControl(form.get(), QStringLiteral("Text1"));
    QCOMPARE(text->parentWidget()->objectName(), QStringLiteral("Inner"));
    QCOMPARE(text->parentWidget()->parentWidget()->objectName(), QStringLiteral("Outer"));
    QCOMPARE(text->mapTo(form->clientArea(), QPoint(0, 0)), QPoint(20, 40));
}

QTEST_MAIN(WindowBuilderTest)
#include "tst_windowbuilder.moc"
