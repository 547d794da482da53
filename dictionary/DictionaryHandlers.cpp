// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dictionary/DictionaryHandlers.h"

#include "app/Navigation.h"
#include "dictionary/FindBar.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"

#include <QPlainTextEdit>
#include <QShortcut>

namespace dictionary {

void bindDictionaryWindow(app::WindowEvents &events)
{
    app::bindHideThenShow(events, QStringLiteral("Command1"), forms::MainWindowName);
    app::bindUnloadSelf(events, QStringLiteral("mnuExit"));

    forms::Form &window = events.window();
    auto *find
        = new FindBar(events, qobject_cast<QPlainTextEdit *>(forms::findControl(&window, QStringLiteral("Text1"))));
    events.onSignal(new QShortcut(QKeySequence::Find, &window), &QShortcut::activated, [find] { find->open(); });
    // F3 everywhere, beside whatever the desktop calls "find next".
    QList<QKeySequence> nextKeys = QKeySequence::keyBindings(QKeySequence::FindNext);
    if (!nextKeys.contains(QKeySequence(Qt::Key_F3)))
        nextKeys.append(QKeySequence(Qt::Key_F3));
    auto *findNext = new QShortcut(&window);
    findNext->setKeys(nextKeys);
    events.onSignal(findNext, &QShortcut::activated, [find] {
        find->open();
        find->findNext();
    });
}

} // namespace dictionary
