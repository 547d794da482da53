// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "converters/ConverterHandlers.h"

#include "app/Balloon.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "converters/Conversions.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "solvers/NumericText.h"
#include "solvers/ReadingNote.h"

namespace converters {

namespace {

using solvers::NumericText::format;
using solvers::NumericText::parseLoose;
using solvers::NumericText::store;

// Reads the conversion's input box and writes its output box; the input is
// left as typed, and after a run-time error the output keeps its text. When
// asked, a note beside the input tells what part of it was not read.
void convert(QWidget &window, const Conversion &conversion, bool explain)
{
    QWidget *input = forms::findControl(&window, forms::toQString(conversion.input));
    const QString text = forms::controlText(input);
    if (const QString note = explain ? solvers::readingNote(text) : QString(); !note.isEmpty())
        app::Balloon::show(input, note);
    const double x = parseLoose(text);
    const double y = store(conversion.formula(x));
    forms::setControlText(forms::findControl(&window, forms::toQString(conversion.output)), format(y));
}

} // namespace

void bindConvertersWindow(app::WindowEvents &events)
{
    forms::Form *self = &events.window();
    for (const Conversion &conversion : conversions()) {
        events.onClick(forms::toQString(conversion.button), [self, &conversion] { convert(*self, conversion, true); });
        events.clickOnReturn(forms::toQString(conversion.input), forms::toQString(conversion.button));
    }
    // Text5_Change: inches become centimetres while the user types (no notes while typing).
    events.onChange(QStringLiteral("Text5"), [self] { convert(*self, inchesToCentimetres(), false); });
    app::bindHideThenShow(events, QStringLiteral("Command1"), forms::MainWindowName);
    app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
}

} // namespace converters
