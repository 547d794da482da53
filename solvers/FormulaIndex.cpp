#include "solvers/FormulaIndex.h"

#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"

namespace {

enum class Move { Show, Hide };

struct Step {
    Move move;
    const char *window;
};

// Each formula button makes two window moves, in this order.
struct IndexButton {
    const char *control;
    Step first;
    Step then;
};

constexpr IndexButton Buttons[] = {
    {"Command15", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "Form1"}},
    {"Command16", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "BeatFrequency"}},
    {"Command18", {Move::Show, "AngularMomemtum"}, {Move::Hide, "Formulasolvers"}},
    {"Command19", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "DeBroglieWavelength"}},
    {"Command20", {Move::Show, "Centripetal"}, {Move::Hide, "frmPhysicsMain"}},
    {"Command21", {Move::Show, "massenergy"}, {Move::Hide, "frmPhysicsMain"}},
    {"Command22", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "ElectricMagneticField"}},
    {"Command23", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "newtonsecondlaw"}},
    {"Command24", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "Schwarzschild"}},
    {"Command25", {Move::Show, "Zurich"}, {Move::Hide, "frmPhysicsMain"}},
    {"Command26", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "Voltage2"}},
    {"Command27", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "Torque2"}},
    {"Command29", {Move::Hide, "frmPhysicsMain"}, {Move::Show, "springconstant"}},
};

void perform(WindowManager &windows, const Step &step)
{
    const QString window = QString::fromLatin1(step.window);
    if (step.move == Move::Show)
        windows.show(window);
    else
        windows.hide(window);
}

} // namespace

void bindFormulaIndex(WindowEvents &events)
{
    WindowManager *windows = &events.manager();
    for (const IndexButton &button : Buttons)
        events.onClick(QString::fromLatin1(button.control), [windows, &button] {
            perform(*windows, button.first);
            perform(*windows, button.then);
        });
    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow);
    bindUnloadSelf(events, QStringLiteral("mnuExit"));
}
