#pragma once

#include "app/Dispatcher.h"

#include <QString>

namespace forms {
class Form;
}
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

private:
    forms::Form &form;
    WindowManager &windows;
};
