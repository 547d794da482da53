// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/CalculatorForms.h"

namespace forms {

// Layout tables are aligned by hand, one control a line or two.
// clang-format off
namespace {

using enum ControlKind;

constexpr MenuEntry ExitOnly[] = {{"mnuExit", "&Exit", {}}};

constexpr FontStyle Sans12Bold{"MS Sans Serif", 12, true};
constexpr FontStyle Sans135Bold{"MS Sans Serif", 13.5, true};
constexpr FontStyle Sans135BoldUnderlined{"MS Sans Serif", 13.5, true, true};
constexpr FontStyle Sans975Bold{"MS Sans Serif", 9.75, true};
constexpr FontStyle Sans825Bold{"MS Sans Serif", 8.25, true};
constexpr FontStyle Sans135{"MS Sans Serif", 13.5};
constexpr FontStyle Times1425Bold{"Times New Roman", 14.25, true};

// quantity: what the box holds, as assistive technology reads it ("current I").
constexpr ControlDefinition textBox(std::string_view name, int left, int top, int width, int tab,
                                    std::string_view quantity)
{
    return {.name = name, .kind = TextBox, .left = left, .top = top, .width = width, .height = 285, .tab = tab,
            .accessibleName = quantity};
}

constexpr ControlDefinition button(std::string_view name, std::string_view caption, int left, int top,
                                   int width, int height, int tab)
{
    return {.name = name, .kind = Button, .caption = caption, .left = left, .top = top,
            .width = width, .height = height, .tab = tab};
}

constexpr ControlDefinition label(std::string_view name, std::string_view caption, int left, int top,
                                  int width, int height, FontStyle font, std::optional<Rgb> colour, int tab)
{
    return {.name = name, .kind = Label, .caption = caption, .left = left, .top = top, .width = width,
            .height = height, .tab = tab, .font = font, .textColour = colour};
}

// shows: the symbol the line draws, or helps draw ("fraction bar", "equals sign").
constexpr ControlDefinition line(std::string_view name, int x1, int y1, int x2, int y2, std::string_view shows)
{
    return {.name = name, .kind = Line, .left = x1, .top = y1, .width = x2, .height = y2, .accessibleName = shows};
}

// The donation panel: the same frame, text and picture everywhere, in one of
// two geometries.
struct PanelGeometry {
    int frameTop, frameWidth, frameHeight, frameTab;
    int labelWidth, labelHeight, labelTab;
    int imageLeft, imageTop;
};
constexpr PanelGeometry Form1Panel{2400, 4455, 1575, 10, 3255, 1215, 11, 3480, 600};
constexpr PanelGeometry SidePanel{1680, 4695, 1455, 1, 3495, 1095, 2, 3720, 360};

constexpr ControlDefinition panelFrame(const PanelGeometry &g)
{
    return {.name = "Frame3", .kind = Frame, .caption = "Disclaimer", .left = 0, .top = g.frameTop,
            .width = g.frameWidth, .height = g.frameHeight, .tab = g.frameTab,
            .font = FontStyle{"Arial", 8.25, true}};
}

constexpr ControlDefinition panelText(std::string_view name, const PanelGeometry &g)
{
    return {.name = name, .kind = Label, .container = "Frame3",
            .caption = "If you find this program useful, please consider  a small donation by double "
                       "clicking on the paypal button. Your donations keep development on these prgrams "
                       "going and allow them to be free and fully featured.",
            .left = 120, .top = 240, .width = g.labelWidth, .height = g.labelHeight, .tab = g.labelTab,
            .font = FontStyle{"Arial", 8.25}};
}

constexpr ControlDefinition panelPicture(const PanelGeometry &g)
{
    return {.name = "Image2", .kind = Image, .container = "Frame3", .left = g.imageLeft, .top = g.imageTop,
            .width = 900, .height = 570, .picture = ":/fyzorin/donate.gif",
            .accessibleName = "Donate with PayPal", .link = true};
}

// ---- Form1: a = (q / m) x E --------------------------------------------------

constexpr ControlDefinition Form1Controls[] = {
    panelFrame(Form1Panel),
    panelText("Label5", Form1Panel),
    panelPicture(Form1Panel),
    textBox("Text4", 3000, 960, 855, 9, "electric field E"),
    textBox("Text3", 1560, 1200, 975, 8, "mass m"),
    textBox("Text2", 1560, 720, 975, 7, "charge q"),
    button("Command2", "Calculate", 120, 1680, 1215, 495, 6),
    textBox("Text1", 120, 960, 975, 5, "acceleration a"),
    {.name = "Command1", .kind = Button, .caption = "Back", .left = 0, .top = 0, .width = 1095,
     .height = 375, .tab = 0, .font = FontStyle{"Arial", 11.25, true}},
    line("Line5", 2640, 960, 2880, 1200, "times sign"),
    line("Line4", 2640, 1200, 2880, 960, "times sign"),
    line("Line3", 1560, 1080, 2520, 1080, "fraction bar"),
    line("Line2", 1200, 1200, 1440, 1200, "equals sign"),
    line("Line1", 1200, 1080, 1440, 1080, "equals sign"),
    label("Label4", "x E", 2040, 120, 495, 255, Sans12Bold, {}, 4),
    label("Label3", "m", 1680, 360, 375, 255, Sans12Bold, {}, 3),
    label("Label2", "q", 1680, 0, 255, 375, FontStyle{"MS Sans Serif", 12, true, true}, {}, 2),
    label("Label1", "a = ", 1200, 120, 495, 375, Sans12Bold, {}, 1),
};

// ---- BeatFrequency: f = f1 - f2 ------------------------------------------------

constexpr ControlDefinition BeatControls[] = {
    textBox("Text3", 3120, 720, 1095, 5, "frequency f2"),
    textBox("Text2", 1560, 720, 1095, 4, "frequency f1"),
    textBox("Text1", 0, 720, 1095, 3, "beat frequency f"),
    button("Command2", "Calculate", 1440, 1080, 1455, 375, 2),
    button("Command1", "Back", 0, 0, 975, 375, 0),
    line("Line3", 2760, 840, 3000, 840, "minus sign"),
    line("Line2", 1200, 960, 1440, 960, "equals sign"),
    line("Line1", 1200, 840, 1440, 840, "equals sign"),
    label("Label1", "f = f1 - f2", 1680, 120, 1215, 375, Sans135Bold, Blue, 1),
};

// ---- AngularMomemtum: M = I x w --------------------------------------------------

constexpr ControlDefinition AngularControls[] = {
    textBox("Text3", 3360, 600, 1335, 7, "angular velocity w"),
    textBox("Text2", 1800, 600, 1095, 5, "moment of inertia I"),
    textBox("Text1", 0, 600, 1455, 3, "angular momentum M"),
    button("Command2", "Calculate", 1560, 1080, 1455, 375, 2),
    button("Command1", "Back", 0, 0, 975, 375, 0),
    label("Label3", "X", 3000, 600, 255, 375, Times1425Bold, Blue, 6),
    label("Label2", "=", 1560, 600, 255, 375, Times1425Bold, Blue, 4),
    label("Label1", "M = Iw , or M= I x W", 1080, 120, 2655, 375, Times1425Bold, Blue, 1),
};

// ---- DeBroglieWavelength: lambda = h / (m v) ---------------------------------------

constexpr ControlDefinition DeBroglieControls[] = {
    button("Command2", "Calculate", 1200, 1800, 1215, 375, 6),
    textBox("Text4", 2640, 1440, 975, 5, "velocity v"),
    textBox("Text3", 1560, 1440, 1095, 4, "mass m"),
    textBox("Text2", 1800, 960, 1455, 3, "Planck's constant h"),
    textBox("Text1", 120, 1200, 1215, 1, "wavelength lambda"),
    button("Command1", "Back", 0, 0, 975, 375, 0),
    label("Label4", "mv", 2160, 360, 495, 375, Sans135Bold, Blue, 9),
    label("Label3", "h", 2160, 0, 255, 375, Sans135BoldUnderlined, Blue, 8),
    label("Label1", "=", 1920, 120, 135, 375, Times1425Bold, Blue, 7),
    line("Line3", 1920, 480, 1680, 120, "lambda"),
    line("Line2", 1560, 480, 1800, 360, "lambda"),
    line("Line1", 1680, 1320, 3360, 1320, "fraction bar"),
    label("Label2", "=", 1440, 1200, 255, 375, Times1425Bold, Blue, 2),
};

// ---- Centripetal: a = v^2 / r -------------------------------------------------------

constexpr ControlDefinition CentripetalControls[] = {
    textBox("Text3", 1440, 840, 1095, 8, "speed v"),
    textBox("Text2", 1440, 1320, 1095, 7, "radius r"),
    button("Command2", "Calculate", 2880, 240, 1455, 375, 6),
    textBox("Text1", 0, 960, 1095, 5, "centripetal acceleration a"),
    button("Command1", "Back", 0, 0, 975, 375, 0),
    label("Label6", "2", 2520, 720, 135, 255, Sans975Bold, DarkBlue, 10),
    line("Line1", 1320, 1200, 2640, 1200, "fraction bar"),
    label("Label5", "=", 1200, 960, 255, 375, Sans135Bold, Blue, 9),
    label("Label4", "r", 2160, 360, 255, 375, Sans135Bold, Blue, 4),
    label("Label3", "2", 2400, 0, 135, 255, Sans975Bold, DarkBlue, 3),
    label("Label2", "v", 2160, 0, 255, 375, Sans135BoldUnderlined, Blue, 2),
    label("Label1", "a =", 1680, 240, 495, 375, Sans135Bold, Blue, 1),
};

// ---- ElectricMagneticField: E = c B --------------------------------------------------

constexpr ControlDefinition FieldControls[] = {
    textBox("Text3", 3840, 600, 1455, 6, "magnetic field B"),
    textBox("Text2", 2280, 600, 1455, 5, "speed of light c"),
    button("Command2", "Calculate", 2520, 960, 1455, 375, 4),
    textBox("Text1", 360, 600, 1455, 2, "electric field E"),
    button("Command1", "Back", 5520, 0, 1215, 375, 0),
    label("Label2", "=", 1920, 600, 255, 375, Sans135Bold, Blue, 3),
    label("Label1", "E = cB", 2640, 0, 1095, 375, Sans135Bold, Blue, 1),
};

// ---- massenergy: E = m c^2 ---------------------------------------------------------

constexpr ControlDefinition MassEnergyControls[] = {
    button("Command2", "Calculate", 1560, 1200, 1455, 375, 8),
    textBox("Text3", 3120, 720, 1095, 6, "speed of light c"),
    textBox("Text2", 1920, 720, 1095, 5, "mass m"),
    textBox("Text1", 0, 720, 1455, 3, "energy E"),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label4", "2", 4200, 480, 255, 255, Sans825Bold, DarkBlue, 7),
    label("Label3", "=", 1560, 720, 255, 375, Sans135Bold, DarkBlue, 4),
    label("Label2", "2", 2400, 120, 255, 255, Sans825Bold, DarkBlue, 2),
    label("Label1", "E = mc", 1440, 240, 1215, 375, Sans135Bold, DarkBlue, 1),
};

// ---- newtonsecondlaw: F = m a ------------------------------------------------------

constexpr ControlDefinition NewtonControls[] = {
    textBox("Text3", 3360, 600, 1335, 6, "acceleration a"),
    textBox("Text2", 2040, 600, 1215, 5, "mass m"),
    textBox("Text1", 120, 600, 1455, 3, "force F"),
    button("Command2", "Calculate", 1440, 1080, 1575, 375, 1),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label2", "=", 1680, 600, 255, 495, Sans135Bold, Blue, 4),
    label("Label1", "F = ma", 1680, 0, 1095, 495, Sans135Bold, Blue, 2),
};

// ---- springconstant: k = F / x ------------------------------------------------------

constexpr ControlDefinition SpringControls[] = {
    textBox("Text3", 1800, 1200, 1455, 8, "extension x"),
    textBox("Text2", 1800, 720, 1455, 7, "force F"),
    textBox("Text1", 0, 720, 1455, 5, "spring constant k"),
    button("Command2", "Calculate", 3600, 840, 975, 495, 2),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    line("Line1", 1680, 1080, 3360, 1080, "fraction bar"),
    label("Label4", "=", 1560, 720, 255, 375, Sans135Bold, Blue, 6),
    label("Label3", "x", 2040, 360, 495, 375, Sans135Bold, Blue, 4),
    label("Label2", "F", 2040, 0, 495, 375, Sans135BoldUnderlined, Blue, 3),
    label("Label1", "k =", 1560, 120, 495, 375, Sans135Bold, Blue, 1),
};

// ---- Zurich: R = k (f + 10 g) -------------------------------------------------------

constexpr ControlDefinition ZurichControls[] = {
    textBox("Text4", 3360, 600, 615, 9, "group count g"),
    textBox("Text3", 2040, 600, 615, 7, "spot count f"),
    textBox("Text2", 1320, 600, 615, 5, "observatory factor k"),
    textBox("Text1", 0, 600, 1095, 3, "sunspot number R"),
    button("Command2", "Calculate", 1440, 1320, 1815, 375, 2),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label5", ")", 4080, 480, 135, 375, Sans135Bold, Blue, 10),
    label("Label4", "+ 10", 2640, 480, 615, 375, Sans135Bold, Blue, 8),
    label("Label3", "(", 1920, 480, 135, 375, Sans135Bold, Blue, 6),
    label("Label2", "=", 1080, 600, 135, 375, Sans135Bold, Blue, 4),
    label("Label1", "R =  k(f + 10g)", 1080, 120, 2055, 375, Sans135Bold, Blue, 1),
};

// ---- Torque2: tau = m x B -------------------------------------------------------------

constexpr ControlDefinition TorqueControls[] = {
    button("Command2", "Calculate", 1800, 1080, 1335, 375, 8),
    textBox("Text3", 3240, 600, 1335, 7, "magnetic field B"),
    textBox("Text2", 1680, 600, 1335, 5, "magnetic moment m"),
    textBox("Text1", 120, 600, 1335, 3, "torque tau"),
    panelFrame(SidePanel),
    panelText("Label7", SidePanel),
    panelPicture(SidePanel),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label1", "x", 3000, 480, 255, 495, Sans135, {}, 6),
    label("Label2", "=", 1440, 480, 255, 495, Sans135, {}, 4),
    {.name = "Image1", .kind = Image, .left = 1320, .top = 0, .width = 1620, .height = 345,
     .picture = ":/fyzorin/torque.jpg", .accessibleName = "tau = m x B"},
};

// ---- Voltage2: V = I R ------------------------------------------------------------------

constexpr ControlDefinition VoltageControls[] = {
    button("Command2", "Calculate", 1680, 1200, 1455, 375, 9),
    textBox("Text3", 3600, 600, 1095, 8, "resistance R"),
    textBox("Text2", 1920, 600, 1215, 6, "current I"),
    textBox("Text1", 120, 600, 1335, 4, "voltage V"),
    panelFrame(SidePanel),
    panelText("Label7", SidePanel),
    panelPicture(SidePanel),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label3", "x", 3240, 600, 255, 495, Sans135, {}, 7),
    label("Label2", "=", 1560, 600, 255, 495, Sans135, {}, 5),
    label("Label1", "V = IR", 1680, 0, 855, 495, Sans135, {}, 3),
};

// ---- Schwarzschild: r = 2GM / c^2 ------------------------------------------------------
// Laid out like the other fraction windows: 2, G and M above the bar, c with
// its exponent below it.

constexpr ControlDefinition SchwarzschildControls[] = {
    textBox("Text4", 2400, 1080, 1095, 8, "speed of light c"),
    textBox("Text3", 3240, 600, 1215, 7, "mass M"),
    textBox("Text2", 1920, 600, 1215, 6, "gravitational constant G"),
    textBox("Text1", 0, 840, 1095, 3, "Schwarzschild radius r"),
    button("Command2", "Calculate", 1560, 1560, 1455, 375, 10),
    button("Command1", "Back", 3480, 0, 1215, 375, 0),
    label("Label5", "2", 3510, 960, 135, 255, Sans975Bold, DarkBlue, 9),
    line("Line1", 1560, 960, 4440, 960, "fraction bar"),
    label("Label4", "2", 1680, 600, 255, 375, Sans135Bold, Blue, 5),
    label("Label3", "=", 1200, 840, 255, 375, Sans135Bold, Blue, 4),
    label("Label2", "2", 2460, 0, 135, 255, Sans975Bold, DarkBlue, 2),
    label("Label1", "r = 2GM / c", 1080, 120, 1815, 375, Sans135Bold, Blue, 1),
};

} // namespace

constexpr WindowDefinition AccelerationInField{
    .name = AccelerationInFieldName, .caption = "Acceleration of a particle in an electric field ",
    .clientWidth = 4485, .clientHeight = 3990, .controls = Form1Controls, .menu = ExitOnly};

constexpr WindowDefinition BeatFrequency{
    .name = BeatFrequencyName, .caption = "Beat Frequency ",
    .clientWidth = 4680, .clientHeight = 1545, .controls = BeatControls, .menu = ExitOnly};

constexpr WindowDefinition AngularMomentum{
    .name = AngularMomentumName, .caption = "Angular Momentum ",
    .clientWidth = 4680, .clientHeight = 1500, .controls = AngularControls, .menu = ExitOnly};

constexpr WindowDefinition DeBroglieWavelength{
    .name = DeBroglieWavelengthName, .caption = "De Broglie Wavelength ",
    .clientWidth = 3645, .clientHeight = 2400, .controls = DeBroglieControls, .menu = ExitOnly};

constexpr WindowDefinition Centripetal{
    .name = CentripetalName, .caption = "Centripetal acceleration ",
    .clientWidth = 4680, .clientHeight = 1710, .controls = CentripetalControls, .menu = ExitOnly};

constexpr WindowDefinition ElectricMagneticField{
    .name = ElectricMagneticFieldName,
    .caption = "Electric field and magnetic field relationship for an electromagnetic wave ",
    .clientWidth = 6825, .clientHeight = 1365, .controls = FieldControls, .menu = ExitOnly};

constexpr WindowDefinition MassEnergy{
    .name = MassEnergyName, .caption = "Einstein's relativistic mass-energy relation",
    .clientWidth = 4680, .clientHeight = 1560, .controls = MassEnergyControls, .menu = ExitOnly};

constexpr WindowDefinition NewtonSecondLaw{
    .name = NewtonSecondLawName, .caption = "Newton's Second Law (Force) ",
    .clientWidth = 4680, .clientHeight = 1485, .controls = NewtonControls, .menu = ExitOnly};

constexpr WindowDefinition SpringConstant{
    .name = SpringConstantName, .caption = "Spring Constant ",
    .clientWidth = 4680, .clientHeight = 1530, .controls = SpringControls, .menu = ExitOnly};

constexpr WindowDefinition Zurich{
    .name = ZurichName, .caption = "Zurich Sunspot Number ",
    .clientWidth = 4680, .clientHeight = 1770, .controls = ZurichControls, .menu = ExitOnly};

constexpr WindowDefinition Torque{
    .name = TorqueName, .caption = "Torque on a current loop",
    .clientWidth = 4680, .clientHeight = 3195, .controls = TorqueControls, .menu = ExitOnly};

constexpr WindowDefinition Voltage{
    .name = VoltageName, .caption = "Voltage equation",
    .clientWidth = 4755, .clientHeight = 3195, .controls = VoltageControls, .menu = ExitOnly};

constexpr WindowDefinition Schwarzschild{
    .name = SchwarzschildName, .caption = "Schwarzschild Black Hole Radius",
    .clientWidth = 4680, .clientHeight = 2040, .controls = SchwarzschildControls, .menu = ExitOnly};

// clang-format on

} // namespace forms
