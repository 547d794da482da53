#include "converters/ConverterHandlers.h"

#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "converters/Conversions.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "solvers/NumericText.h"

namespace converters {

namespace {

using solvers::NumericText::format;
using solvers::NumericText::parseLoose;
using solvers::NumericText::store;

// Reads the conversion's input box and writes its output box; the input is
// left as typed, and after a run-time error the output keeps its text.
void convert(QWidget &window, const Conversion &conversion)
{
    const double x = parseLoose(forms::controlText(forms::findControl(&window, forms::toQString(conversion.input))));
    const double y = store(conversion.formula(x));
    forms::setControlText(forms::findControl(&window, forms::toQString(conversion.output)), format(y));
}

} // namespace

void bindConvertersWindow(app::WindowEvents &events)
{
    forms::Form *self = &events.window();
    for (const Conversion &conversion : conversions())
        events.onClick(forms::toQString(conversion.button), [self, &conversion] { convert(*self, conversion); });
    // Text5_Change: inches become centimetres while the user types.
    events.onChange(QStringLiteral("Text5"), [self] { convert(*self, inchesToCentimetres()); });
    app::bindHideThenShow(events, QStringLiteral("Command1"), forms::MainWindowName);
    app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
}

} // namespace converters
