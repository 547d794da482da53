#include "app/WindowEvents.h"

#include "app/WindowManager.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

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
