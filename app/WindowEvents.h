// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Dispatcher.h"

#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>

namespace forms {
class Form;
}

namespace app {
class WindowManager;

// Binds the events of one freshly built window's named controls to their
// handlers, every one through the manager's Dispatcher.
class WindowEvents
{
public:
    using Handler = Dispatcher::Handler;

    WindowEvents(forms::Form &window, WindowManager &manager);

    forms::Form &window() const { return form; }
    WindowManager &manager() const { return windows; }

    // Buttons, labels, pictures and menu entries.
    void onClick(const QString &control, Handler handler);
    // Every change of a text box's text, typed or set by the program.
    void onChange(const QString &control, Handler handler);
    // Enter or Return in a text box clicks the button, as a click with the mouse would.
    void clickOnReturn(const QString &box, const QString &button);
    // A key going down in a control, before the control acts on it.
    void onKeyDown(const QString &control, std::function<void(int key, Qt::KeyboardModifiers)> handler);

    // A notification of one of the window's own objects (its socket). The
    // handler takes the signal's arguments, or none.
    template<typename Sender, typename Signal, typename SignalHandler>
    void onSignal(Sender *source, Signal signal, SignalHandler handler)
    {
        Dispatcher *dispatcher = &windowsDispatcher();
        // Decided here, on the handler's own type: a branch inside the generic
        // lambda would have to compile for both kinds of handler (clang checks).
        if constexpr (std::is_invocable_v<const SignalHandler &>)
            QObject::connect(source, signal, formObject(), [dispatcher, handler] { dispatcher->run(handler); });
        else
            QObject::connect(source, signal, formObject(), [dispatcher, handler](const auto &...arguments) {
                dispatcher->run([&] { handler(arguments...); });
            });
    }

private:
    Dispatcher &windowsDispatcher() const;
    QObject *formObject() const;

    forms::Form &form;
    WindowManager &windows;
};

} // namespace app
