// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowEvents.h"

#include "app/WindowManager.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace app {

WindowEvents::WindowEvents(forms::Form &window, WindowManager &manager)
    : form(window)
    , windows(manager)
{
}

void WindowEvents::onClick(const QString &control, Handler handler)
{
    Dispatcher *dispatcher = &windows.dispatcher();
    auto run = [dispatcher, handler = std::move(handler)] { dispatcher->run(handler); };

    if (QAction *entry = forms::findMenuEntry(&form, control)) {
        QObject::connect(entry, &QAction::triggered, &form, run);
        return;
    }
    QWidget *widget = forms::findControl(&form, control);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QObject::connect(button, &QAbstractButton::clicked, &form, run);
    else if (auto *label = qobject_cast<forms::LabelControl *>(widget))
        QObject::connect(label, &forms::LabelControl::clicked, &form, run);
    else
        qFatal("%s has no clickable control named %s", qPrintable(form.objectName()), qPrintable(control));
}

void WindowEvents::onChange(const QString &control, Handler handler)
{
    Dispatcher *dispatcher = &windows.dispatcher();
    auto run = [dispatcher, handler = std::move(handler)] { dispatcher->run(handler); };

    QWidget *widget = forms::findControl(&form, control);
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        QObject::connect(line, &QLineEdit::textChanged, &form, run);
    else if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
        QObject::connect(box, &QPlainTextEdit::textChanged, &form, run);
    else
        qFatal("%s has no text box named %s", qPrintable(form.objectName()), qPrintable(control));
}

void WindowEvents::clickOnReturn(const QString &box, const QString &button)
{
    auto *line = qobject_cast<QLineEdit *>(forms::findControl(&form, box));
    auto *target = qobject_cast<QAbstractButton *>(forms::findControl(&form, button));
    if (!line || !target)
        qFatal("%s has no text box %s or button %s", qPrintable(form.objectName()), qPrintable(box),
               qPrintable(button));
    QObject::connect(line, &QLineEdit::returnPressed, target, &QAbstractButton::click);
}

namespace {

// Hands a control's key presses to a handler before the control sees them.
class KeyDownFilter : public QObject
{
public:
    KeyDownFilter(QObject *parent, Dispatcher *events, std::function<void(int, Qt::KeyboardModifiers)> onKeyDown)
        : QObject(parent)
        , dispatcher(events)
        , handler(std::move(onKeyDown))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const int code = key->key();
            const Qt::KeyboardModifiers modifiers = key->modifiers();
            dispatcher->run([this, code, modifiers] { handler(code, modifiers); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Dispatcher *dispatcher;
    std::function<void(int, Qt::KeyboardModifiers)> handler;
};

} // namespace

void WindowEvents::onKeyDown(const QString &control, std::function<void(int key, Qt::KeyboardModifiers)> handler)
{
    QWidget *widget = forms::findControl(&form, control);
    if (!widget)
        qFatal("%s has no control named %s", qPrintable(form.objectName()), qPrintable(control));
    widget->installEventFilter(new KeyDownFilter(widget, &windows.dispatcher(), std::move(handler)));
}

Dispatcher &WindowEvents::windowsDispatcher() const { return windows.dispatcher(); }

QObject *WindowEvents::formObject() const { return &form; }

} // namespace app
