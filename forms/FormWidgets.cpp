// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/FormWidgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace forms {

Form::Form(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    Q_EMIT closeRequested();
}

void Form::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!shownBefore) {
        shownBefore = true;
        if (firstFocus)
            firstFocus->setFocus(Qt::OtherFocusReason);
    }
}

QSize CaptionButton::sizeHint() const
{
    // Geometry always comes from the definition; the hint only matters to
    // layouts, which the builder does not use.
    return size();
}

void CaptionButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(textArea, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

void CaptionButton::keyPressEvent(QKeyEvent *event)
{
    // A window is no dialog, so Qt leaves Enter to a default button there is
    // none of; the focused button is what a keyboard user means.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void LabelControl::mousePressEvent(QMouseEvent *event)
{
    // Accepting the press makes this label receive the matching release.
    pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LabelControl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

void LabelControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second click of a double click is not a click of its own.
    event->accept();
}

void LabelControl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        event->accept();
        Q_EMIT clicked();
        return;
    default: break;
    }
    QLabel::keyPressEvent(event);
}

void LabelControl::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Labels draw no focus of their own; a focused link shows the style's frame.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

LineControl::LineControl(QPoint from, QPoint to, QWidget *parent)
    : QWidget(parent)
    , start(from)
    , end(to)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawLine(start, end);
}

} // namespace forms
