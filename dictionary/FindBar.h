// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/WindowEvents.h"

#include <QObject>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace dictionary {

// Finding a term in the dictionary text: Ctrl+F opens a field laid over the
// lower edge of the text box, Enter there selects the next match (any case,
// wrapping at the end), Escape closes it. The field is made on first use, so
// the window stays exactly as defined until then.
class FindBar : public QObject
{
public:
    FindBar(const app::WindowEvents &windowEvents, QPlainTextEdit *box);

    void open();
    void findNext();
    void close();

private:
    void createField();
    void showNoMatch(bool shown);

    app::WindowEvents events;
    QPlainTextEdit *text;
    QLineEdit *field = nullptr;
    QLabel *noMatch = nullptr;
};

} // namespace dictionary
