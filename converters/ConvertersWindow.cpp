#include "converters/ConvertersWindow.h"

#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "converters/Conversions.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "solvers/NumericText.h"

namespace {

// Reads the conversion's input box and writes its output box; the input is
// left as typed, and after a run-time error the output keeps its text.
void convert(QWidget &window, const converters::Conversion &conversion)
{
    const double x = NumericText::parseLoose(forms::controlText(forms::findControl(&window, forms::toQString(conversion.input))));
    const double y = NumericText::store(conversion.formula(x));
    forms::setControlText(forms::findControl(&window, forms::toQString(conversion.output)), NumericText::format(y));
}

} // namespace

void bindConvertersWindow(WindowEvents &events)
{
    forms::Form *self = &events.window();
    for (const converters::Conversion &conversion : converters::conversions())
        events.onClick(forms::toQString(conversion.button), [self, &conversion] { convert(*self, conversion); });
    // Text5_Change: inches become centimetres while the user types.
    events.onChange(QStringLiteral("Text5"), [self] { convert(*self, converters::inchesToCentimetres()); });
    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow);
    bindUnloadSelf(events, QStringLiteral("mnuExit"));
}
