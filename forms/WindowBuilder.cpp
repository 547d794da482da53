// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/WindowBuilder.h"

#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ToolTips.h"

#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <vector>

namespace forms {
namespace {

QString substituteFamily(std::string_view family)
{
    if (family == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    // "MS Sans Serif" and "Arial" alike.
    return QStringLiteral("Liberation Sans");
}

QRect toPixels(int left, int top, int width, int height)
{
    return {forms::toPixels(left), forms::toPixels(top), forms::toPixels(width), forms::toPixels(height)};
}

// A line is a one-pixel stroke between its end points; its widget is the
// smallest box holding both, and the points are kept relative to that box.
struct LineGeometry {
    QRect box;
    QPoint from;
    QPoint to;
};

LineGeometry lineGeometry(const ControlDefinition &def)
{
    const QPoint a(forms::toPixels(def.left), forms::toPixels(def.top));
    const QPoint b(forms::toPixels(def.width), forms::toPixels(def.height));
    const QPoint topLeft(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
    const QPoint bottomRight(std::max(a.x(), b.x()), std::max(a.y(), b.y()));
    const QRect box(topLeft, bottomRight); // inclusive: a one-pixel line is one pixel thick
    return {box, a - box.topLeft(), b - box.topLeft()};
}

void applyLabelColours(QLabel *label, const ControlDefinition &def)
{
    QPalette palette = label->palette();
    if (def.textColour)
        palette.setColor(QPalette::WindowText,
                         QColor(def.textColour->red, def.textColour->green, def.textColour->blue));
    if (def.backColour)
        palette.setColor(QPalette::Window, QColor(def.backColour->red, def.backColour->green, def.backColour->blue));
    label->setPalette(palette);
    // An opaque label paints its box in its back colour; a transparent one
    // lets what lies behind show through. Without a colour of its own an
    // opaque label would paint its container's colour, which the container
    // has already painted (frames shade their inside slightly differently
    // from the window, so filling with the window colour would show a box).
    label->setAutoFillBackground(def.backColour.has_value() && !def.transparent);
}

QWidget *createWidget(const ControlDefinition &def, QWidget *parent)
{
    switch (def.kind) {
    case ControlKind::Button: return new CaptionButton(toQString(def.caption), parent);
    case ControlKind::Label: {
        auto *label = new LabelControl(toQString(def.caption), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        applyLabelColours(label, def);
        return label;
    }
    case ControlKind::TextBox:
        if (def.multiLine) {
            auto *box = new QPlainTextEdit(toQString(def.caption), parent);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setVerticalScrollBarPolicy(def.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setTabChangesFocus(true);
            return box;
        }
        {
            auto *line = new QLineEdit(toQString(def.caption), parent);
            line->setMaxLength(INT_MAX); // a pasted text is kept whole, however long
            line->setToolTip(unitToolTip(def.accessibleName));
            return line;
        }
    case ControlKind::Frame: return new QGroupBox(toQString(def.caption), parent);
    case ControlKind::Image: {
        auto *image = new LabelControl(parent);
        image->setPixmap(QPixmap(toQString(def.picture)));
        return image;
    }
    case ControlKind::Line: {
        const LineGeometry line = lineGeometry(def);
        return new LineControl(line.from, line.to, parent);
    }
    case ControlKind::ListBox: return new QListWidget(parent);
    case ControlKind::Socket: break;
    }
    return nullptr;
}

// A caption's access-key marks are not read out: "&&" is a literal "&".
QString accessibleName(const ControlDefinition &def)
{
    if (!def.accessibleName.empty())
        return toQString(def.accessibleName);
    QString name;
    const QString caption = toQString(def.caption);
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        name += caption[i];
    }
    return name.simplified();
}

QRect geometryOf(const ControlDefinition &def, const QWidget *widget)
{
    if (def.kind == ControlKind::Line)
        return lineGeometry(def).box;
    if (def.kind == ControlKind::Image) {
        const QPixmap picture = static_cast<const QLabel *>(widget)->pixmap();
        // A picture keeps its own size; the box of the definition is only a
        // fallback for a picture that could not be read.
        if (!picture.isNull())
            return {QPoint(forms::toPixels(def.left), forms::toPixels(def.top)), picture.size()};
    }
    return toPixels(def.left, def.top, def.width, def.height);
}

void addMenuEntries(QMenuBar *bar, QMenu *menu, std::span<const MenuEntry> entries)
{
    for (const MenuEntry &entry : entries) {
        QAction *action = nullptr;
        if (entry.caption == "-") {
            action = menu ? menu->addSeparator() : bar->addSeparator();
        } else if (entry.entries.empty()) {
            action = menu ? menu->addAction(toQString(entry.caption)) : bar->addAction(toQString(entry.caption));
        } else {
            QMenu *sub = menu ? menu->addMenu(toQString(entry.caption)) : bar->addMenu(toQString(entry.caption));
            sub->setObjectName(toQString(entry.name));
            addMenuEntries(bar, sub, entry.entries);
            action = sub->menuAction();
        }
        action->setObjectName(toQString(entry.name));
    }
}

} // namespace

QFont toQFont(const FontStyle &style)
{
    QFont font(substituteFamily(style.family));
    font.setPointSizeF(style.points);
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(style.underline);
    return font;
}

std::unique_ptr<Form> buildWindow(const WindowDefinition &definition)
{
    auto form = std::make_unique<Form>();
    form->setObjectName(toQString(definition.name));
    form->setWindowTitle(toQString(definition.caption));
    if (!definition.icon.empty())
        form->setWindowIcon(QIcon(toQString(definition.icon)));

    auto *layout = new QVBoxLayout(form.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (!definition.menu.empty()) {
        auto *bar = new QMenuBar(form.get());
        addMenuEntries(bar, nullptr, definition.menu);
        layout->setMenuBar(bar);
    }

    auto *client = new QWidget(form.get());
    client->setFixedSize(toPixels(definition.clientWidth), toPixels(definition.clientHeight));
    layout->addWidget(client);
    form->setClientArea(client);

    const QFont windowFont = toQFont(definition.font);
    const auto controls = definition.controls;
    std::vector<std::pair<const ControlDefinition *, QWidget *>> inListOrder(controls.size());

    // A frame must exist before the controls inside it, wherever the list
    // places it.
    auto create = [&](auto &self, std::size_t index) -> QWidget * {
        const ControlDefinition &def = controls[index];
        if (inListOrder[index].first)
            return inListOrder[index].second;
        QWidget *parent = client;
        if (!def.container.empty()) {
            const auto container = std::find_if(controls.begin(), controls.end(),
                                                [&](const ControlDefinition &c) { return c.name == def.container; });
            Q_ASSERT(container != controls.end());
            parent = self(self, std::size_t(container - controls.begin()));
        }
        QWidget *widget = createWidget(def, parent);
        inListOrder[index] = {&def, widget};
        if (!widget)
            return nullptr;
        widget->setObjectName(toQString(def.name));
        widget->setFont(def.font ? toQFont(*def.font) : windowFont);
        widget->setGeometry(geometryOf(def, widget));
        widget->setAccessibleName(accessibleName(def));
        if (!takesFocus(def))
            widget->setFocusPolicy(Qt::NoFocus);
        else if (def.link)
            widget->setFocusPolicy(Qt::TabFocus);
        return widget;
    };
    for (std::size_t i = 0; i < controls.size(); ++i)
        create(create, i);

    // Earlier in the list means nearer the front: raise from the back forwards.
    for (auto it = inListOrder.rbegin(); it != inListOrder.rend(); ++it)
        if (it->second)
            it->second->raise();

    // Tab positions give the focus order; a picture that is a link has no
    // tab position and comes last.
    std::vector<std::pair<int, QWidget *>> focusOrder;
    for (const auto &[def, widget] : inListOrder)
        if (widget && takesFocus(*def))
            focusOrder.emplace_back(def->tab == NoTabStop ? INT_MAX : def->tab, widget);
    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    if (!focusOrder.empty())
        form->setFirstFocus(focusOrder.front().second);

    return form;
}

} // namespace forms
