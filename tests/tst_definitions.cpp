// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every window definition is well formed and built exactly as it says; a few values are checked by hand.

#include "app/WindowKinds.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/WindowBuilder.h"
#include "support/TestPeer.h" // WaitMs

#include <QTest>
#include <QtWidgets>

using namespace app;
using namespace forms;
Q_DECLARE_METATYPE(const forms::WindowDefinition *)

static QString fontOf(const QFont &f)
{
    const QString style = QString(f.bold() ? " bold" : "") + (f.underline() ? " underlined" : "");
    return f.family() + ' ' + QString::number(f.pointSizeF()) + style;
}

// Written out by hand from the layouts. No control: the window's client area, title and menu (in place of a font).
// clang-format off
static const struct { const char *window, *control; QRect geometry; const char *text, *fontOrMenu; } ExactValues[] = {
    {"frmPhysicsMain", "", {0, 0, 382, 227}, "Fyzorin - Main",
     "mnuExit &Exit, mnuUpdates &Updates, mnuSupport &Technical Support, mnuAbout &About"},
    {"frmPhysicsMain", "Label1", {0, 0, 385, 49}, "Fyzorin  1.2", "Liberation Sans 14.25 bold"}, // overhangs the window
    {"Formulasolvers", "Command22", {8, 8, 145, 65},
     "Electric field and magnetic field relationship for an electromagnetic wave ", "Liberation Sans 8.25 bold"},
    {"dictionary", "Text1", {0, 24, 529, 465}, "Text1", "Liberation Sans 9.75"},
    {"Chat", "Command2", {344, 16, 81, 33}, "Connect To Chat", "Liberation Sans 9.75 bold"}, // in frameChat
    {"Chat", "", {0, 0, 516, 431}, "Zendra  Live Help",
     "mnuFile &File, mnuFile: con Connect, mnuFile: discon Disconnect, mnuFile: break1 -, mnuFile: avsluta End"},
    {"Form1", "", {0, 0, 299, 266}, "Acceleration of a particle in an electric field ", "mnuExit &Exit"},
    {"Form1", "Label1", {80, 8, 33, 25}, "a = ", "Liberation Sans 12 bold"},
    {"Form1", "Line4", {176, 64, 17, 17}, "", "Liberation Sans 8.25"}, // half the times sign
    {"AngularMomemtum", "Label1", {72, 8, 177, 25}, "M = Iw , or M= I x W", "Liberation Serif 14.25 bold"},
};
// clang-format on

class DefinitionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window_data()
    {
        QTest::addColumn<const WindowDefinition *>("definition");
        QCOMPARE(windowKinds().size(), 18u); // 5 shell windows, 13 calculators
        for (const WindowKind &kind : windowKinds())
            QTest::newRow(kind.definition.name.data()) << &kind.definition;
    }

    void window()
    {
        QFETCH(const WindowDefinition *, definition);
        const auto form = buildWindow(*definition);
        QCOMPARE(form->objectName() + ": " + form->windowTitle(),
                 toQString(definition->name) + ": " + toQString(definition->caption));
        QCOMPARE(form->windowIcon().isNull(), definition->icon.empty());
        const auto titleButtons = form->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
        QCOMPARE(titleButtons, Qt::WindowCloseButtonHint);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get(), WaitMs));
        // The client area, of the defined size, lies right below the menu bar; the user cannot resize.
        const QRect client(0, form->findChild<QMenuBar *>()->height(), toPixels(definition->clientWidth),
                           toPixels(definition->clientHeight));
        QCOMPARE(form->clientArea()->geometry(), client);
        const QSize windowSize(client.right() + 1, client.bottom() + 1);
        QCOMPARE(QList<QSize>({form->minimumSize(), form->maximumSize()}), QList<QSize>(2, windowSize));

        QSet<QString> names;
        QSet<int> tabs;
        QMap<int, QString> focusOrder; // a link without tab position comes last
        for (const ControlDefinition &c : definition->controls) {
            const QString name = toQString(c.name);
            QVERIFY2(!names.contains(name) && (c.tab == NoTabStop || !tabs.contains(c.tab)), qPrintable(name));
            names.insert(name);
            tabs.insert(c.tab);
            QWidget *w = findControl(form.get(), name);
            const char *textBox = c.multiLine ? "QPlainTextEdit" : "QLineEdit";
            const char *classes[] = {"forms::CaptionButton", "forms::LabelControl", textBox,       "QGroupBox",
                                     "forms::LabelControl",  "forms::LineControl",  "QListWidget", "no widget"};
            QCOMPARE(w ? w->metaObject()->className() : classes[7], classes[int(c.kind)]);
            if (!w)
                continue;
            QWidget *parent = w->parentWidget();
            QCOMPARE(parent->objectName() + ':' + controlText(w), toQString(c.container) + ':' + toQString(c.caption));
            QVERIFY(c.container.empty() ? parent == form->clientArea() : qobject_cast<QGroupBox *>(parent) != nullptr);
            const QPoint at(toPixels(c.left), toPixels(c.top)), extent(toPixels(c.width), toPixels(c.height));
            if (auto *line = qobject_cast<LineControl *>(w)) // a stroke from (left, top) to (width, height)
                QCOMPARE(QRect(line->from() + w->pos(), line->to() + w->pos()), QRect(at, extent));
            else if (c.kind == ControlKind::Image) // a picture keeps its own size
                QCOMPARE(w->geometry(), QRect(at, qobject_cast<QLabel *>(w)->pixmap().size()));
            else
                QCOMPARE(w->geometry(), QRect(at, QSize(extent.x(), extent.y())));
            QCOMPARE(fontOf(w->font()), fontOf(toQFont(c.font.value_or(definition->font)))); // never its frame's
            if (auto *button = qobject_cast<CaptionButton *>(w)) {                           // its caption is drawn
                const QImage drawn = w->grab().toImage();
                button->setText(QString());
                QVERIFY2(w->grab().toImage() != drawn, qPrintable(name));
                button->setText(toQString(c.caption));
            }
            const auto colour = [&](QPalette::ColorRole role, std::optional<Rgb> rgb) { // unset: not checked
                return !rgb || w->palette().color(role) == QColor(rgb->red, rgb->green, rgb->blue);
            };
            QVERIFY(colour(QPalette::WindowText, c.textColour) && colour(QPalette::Window, c.backColour));
            QCOMPARE(w->autoFillBackground(), c.backColour && !c.transparent);
            if (auto *edit = qobject_cast<QPlainTextEdit *>(w)) // wraps its lines: never scrolls sideways
                QVERIFY(edit->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                        && (edit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) == c.verticalScrollBar);
            const auto behind = parent->children().first(parent->children().indexOf(w)); // listed earlier: in front
            QVERIFY(std::ranges::none_of(behind, [&](QObject *o) { return names.contains(o->objectName()); }));
            // Named for assistive technology: a text box by the quantity it holds, not by its text.
            const QString spoken = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            const bool namedByItsText = c.kind == ControlKind::TextBox && spoken == controlText(w);
            QVERIFY2(!spoken.trimmed().isEmpty() && !spoken.contains('&') && !namedByItsText, qPrintable(name));
            const bool hasUnit = c.kind == ControlKind::TextBox && !c.multiLine && definition->name != "Chat";
            QVERIFY2(w->toolTip().isEmpty() != hasUnit, qPrintable(name)); // a calculator's or converter's box
            QCOMPARE(w->focusPolicy() != Qt::NoFocus, takesFocus(c));
            if (takesFocus(c))
                focusOrder.insert(c.tab == NoTabStop ? INT_MAX : c.tab, name);
        }
        tabs.remove(NoTabStop);
        QCOMPARE(*std::max_element(tabs.begin(), tabs.end()), int(tabs.size()) - 1); // tab positions run 0..n-1
        // The first in focus order has the focus; Tab walks them all, then wraps.
        for (const QString &expected : focusOrder.values() + QStringList{focusOrder.first()}) {
            QCOMPARE(form->focusWidget()->objectName(), expected);
            QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
        }

        QStringList menu; // "name caption"; a submenu's entries follow it, after the submenu's name
        for (QAction *a : form->findChild<QMenuBar *>()->actions())
            for (const QAction *e : QList<QAction *>{a} + (a->menu() ? a->menu()->actions() : QList<QAction *>()))
                menu << (e == a ? "" : e->parent()->objectName() + ": ") + e->objectName() + ' '
                        + (e->isSeparator() ? "-" : e->text());
        const QVariantList windowValues{QRect({}, form->clientArea()->size()), form->windowTitle(), menu.join(", ")};
        for (const auto &row : ExactValues) {
            const QWidget *w = *row.control ? findControl(form.get(), QString::fromLatin1(row.control)) : nullptr;
            const QVariantList expected{row.geometry, QString(row.text), QString(row.fontOrMenu)};
            if (definition->name == row.window)
                QCOMPARE(w ? QVariantList({w->geometry(), controlText(w), fontOf(w->font())}) : windowValues, expected);
        }
    }
};

QTEST_MAIN(DefinitionsTest)
#include "tst_definitions.moc"
