// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Balloon.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace app::Balloon {

namespace {

// Qt's own tooltip lets key presses through; this note should not outlive
// the next thing the user does, wherever it happens.
class Note : public QLabel
{
public:
    Note(const QString &text, QWidget *window)
        : QLabel(text, window, Qt::ToolTip | Qt::FramelessWindowHint)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::Wheel: Balloon::hide(); break;
        default: break;
        }
        return QLabel::eventFilter(watched, event);
    }
};

QPointer<Note> shown;

} // namespace

void show(QWidget *beside, const QString &text)
{
    hide();
    // Owned by the control's window, so it goes with the window.
    auto *note = new Note(text, beside->window());
    note->setObjectName(QStringLiteral("balloon"));
    note->setAttribute(Qt::WA_ShowWithoutActivating);
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setFocusPolicy(Qt::NoFocus);
    note->setForegroundRole(QPalette::ToolTipText);
    note->setBackgroundRole(QPalette::ToolTipBase);
    note->setAutoFillBackground(true);
    note->setFrameStyle(QFrame::Box | QFrame::Plain);
    note->setMargin(3);
    note->adjustSize();
    note->move(beside->mapToGlobal(QPoint(0, beside->height() + 2)));
    note->show();
    shown = note;
}

void hide()
{
    if (shown) {
        qApp->removeEventFilter(shown);
        shown->close();
    }
    shown = nullptr;
}

QWidget *current() { return shown; }

} // namespace app::Balloon
