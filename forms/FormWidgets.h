// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The few widgets the builder needs beyond stock Qt ones: the top-level
// window with its fixed client area, a button whose caption wraps, a label
// (also used for pictures) that reports clicks, and a drawn line.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace forms {

// A top-level window built from a definition. The close box does not close
// it directly: it asks the owner (WindowManager) to unload it.
class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(QWidget *parent = nullptr);

    QWidget *clientArea() const { return client; }
    void setClientArea(QWidget *area) { client = area; }
    void setFirstFocus(QWidget *control) { firstFocus = control; }

Q_SIGNALS:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *client = nullptr;
    QPointer<QWidget> firstFocus;
    bool shownBefore = false;
};

// Push button whose caption wraps at word boundaries inside the button, as
// the long captions of the formula index need. Enter presses it as Space does.
class CaptionButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// Label or picture that reports a click: mouse button released over it, or,
// when it takes the focus (a link), Space or Enter.
class LabelControl : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool pressed = false;
};

// A one-pixel line between two points given relative to this widget.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    LineControl(QPoint from, QPoint to, QWidget *parent);
    QPoint from() const { return start; }
    QPoint to() const { return end; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint start;
    QPoint end;
};

} // namespace forms
