// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/ShellForms.h"

#include <array>

namespace forms {

// Layout tables are aligned by hand, one control a line or two.
// clang-format off
namespace {

using enum ControlKind;

constexpr FontStyle Arial8Bold{"Arial", 8.25, true};
constexpr FontStyle Arial975Bold{"Arial", 9.75, true};

constexpr MenuEntry ExitOnly[] = {{"mnuExit", "&Exit", {}}};

// ---- frmPhysicsMain ------------------------------------------------------

constexpr ControlDefinition MainControls[] = {
    {.name = "Frame2", .kind = Frame, .caption = "Disclaimer",
     .left = 2640, .top = 2520, .width = 3015, .height = 855, .tab = 11},
    {.name = "Label6", .kind = Label, .container = "Frame2",
     .caption = "Quellmark takes NO responsibility for the usage of this program.",
     .left = 120, .top = 240, .width = 2775, .height = 495, .tab = 12},
    {.name = "Command5", .kind = Button, .caption = "Click here to check for updates",
     .left = 120, .top = 2760, .width = 2175, .height = 495, .tab = 10,
     .font = FontStyle{"MS Sans Serif", 9.75, true}},
    {.name = "Command1", .kind = Button, .caption = "Converters",
     .left = 120, .top = 2280, .width = 2175, .height = 375, .tab = 9},
    {.name = "Frame1", .kind = Frame, .caption = "Whats new in version 1.2",
     .left = 2640, .top = 960, .width = 3015, .height = 1455, .tab = 6, .font = Arial975Bold},
    {.name = "Label5", .kind = Label, .container = "Frame1",
     .caption = "- Live Help chat client integrated.",
     .left = 120, .top = 1080, .width = 2775, .height = 255, .tab = 8},
    {.name = "Label4", .kind = Label, .container = "Frame1",
     .caption = "- Interface updated and redesigned. Also a new physics dictionary and converter section added. ",
     .left = 120, .top = 360, .width = 2775, .height = 615, .tab = 7},
    {.name = "Command4", .kind = Button, .caption = "Formula Solvers",
     .left = 120, .top = 1800, .width = 2175, .height = 375, .tab = 5},
    {.name = "Command3", .kind = Button, .caption = "Live Help",
     .left = 120, .top = 1320, .width = 2175, .height = 375, .tab = 4},
    {.name = "Command2", .kind = Button, .caption = "Physics Dictionary",
     .left = 120, .top = 840, .width = 2175, .height = 375, .tab = 3},
    {.name = "Label2", .kind = Label, .caption = "Menu:",
     .left = 840, .top = 480, .width = 735, .height = 255, .tab = 2,
     .font = FontStyle{"Arial", 12, true}, .textColour = White, .transparent = true},
    {.name = "Label3", .kind = Label,
     .left = 0, .top = 480, .width = 2535, .height = 5655, .tab = 1, .backColour = Navy,
     .accessibleName = "menu panel"},
    {.name = "Label1", .kind = Label, .caption = "Fyzorin  1.2",
     .left = 0, .top = 0, .width = 5775, .height = 735, .tab = 0,
     .font = FontStyle{"Arial", 14.25, true}, .textColour = White, .backColour = Navy},
};

constexpr MenuEntry MainMenu[] = {
    {"mnuExit", "&Exit", {}},
    {"mnuUpdates", "&Updates", {}},
    {"mnuSupport", "&Technical Support", {}},
    {"mnuAbout", "&About", {}},
};

} // namespace

constexpr WindowDefinition MainWindow{
    .name = MainWindowName, .caption = "Fyzorin - Main",
    .clientWidth = 5730, .clientHeight = 3405,
    .icon = ":/fyzorin/fyzorin.png", .controls = MainControls, .menu = MainMenu};

namespace {

// ---- Formulasolvers --------------------------------------------------------

constexpr ControlDefinition indexButton(std::string_view name, std::string_view caption,
                                        int left, int top, int height, int tab)
{
    return {.name = name, .kind = Button, .caption = caption, .left = left, .top = top,
            .width = 2175, .height = height, .tab = tab, .font = Arial8Bold};
}

constexpr ControlDefinition IndexControls[] = {
    indexButton("Command29", "Spring Constant ", 120, 2640, 375, 13),
    indexButton("Command27", "Torque on a current loop", 120, 2160, 375, 12),
    indexButton("Command26", "Voltage Equation ", 120, 3600, 375, 11),
    indexButton("Command25", "Zurich sunspot number ", 2400, 2520, 375, 10),
    indexButton("Command24", "Schwarzschild Black Hole Radius", 2400, 1320, 495, 9),
    indexButton("Command23", "Newton's Second Law (Force) ", 120, 4080, 495, 8),
    indexButton("Command22",
                "Electric field and magnetic field relationship for an electromagnetic wave ",
                120, 120, 975, 7),
    indexButton("Command21", "Einstein's relativistic mass-energy relation", 2400, 1920, 495, 6),
    indexButton("Command20", "Centripetal acceleration ", 120, 1200, 375, 5),
    indexButton("Command19", "De Broglie Wavelength ", 120, 1680, 375, 4),
    indexButton("Command18", "Angular Momentum ", 120, 3120, 375, 3),
    indexButton("Command16", "Beat Frequency ", 120, 4680, 375, 2),
    indexButton("Command15", "Acceleration of a particle in an electric field ", 2400, 600, 615, 1),
    {.name = "Command1", .kind = Button, .caption = "Back",
     .left = 2880, .top = 120, .width = 1215, .height = 375, .tab = 0},
    {.name = "Label4", .kind = Label,
     .caption = "This program is not intended to be used as a replacement for actual studying. "
                "Quellmark takes NO reponsibility for ths usage of this program",
     .left = 2400, .top = 3120, .width = 2175, .height = 1815, .tab = 14, .font = Arial975Bold},
};

} // namespace

constexpr WindowDefinition FormulaIndex{
    .name = FormulaIndexName, .caption = "Fyzorin - Formula Solvers",
    .clientWidth = 4770, .clientHeight = 5160, .controls = IndexControls, .menu = ExitOnly};

namespace {

// ---- converters --------------------------------------------------------------
// Ten frames of identical inner layout; only names, captions, places and tab
// positions differ, so the control list is generated from one row per frame.

struct ConverterFrame {
    std::string_view frame, caption;
    int left, top, frameTab;
    std::string_view leftBox;     int leftTab;
    std::string_view rightBox;    int rightTab;
    std::string_view equals;      int equalsTab;
    std::string_view instruction; int instructionTab; std::string_view instructionCaption;
    std::string_view button;      int buttonTab;
    std::string_view from, to; // the quantities of the two boxes, as assistive technology reads them
};

constexpr ConverterFrame ConverterFrames[] = {
    {"Frame10", "Rankine to  fahrenheit", 3360, 5400, 55, "Text20", 58, "Text19", 57, "Label20", 60, "Label19", 59, "Enter Rankine  here", "Command11", 56,
     "degrees Rankine to convert to Fahrenheit", "degrees Fahrenheit converted from Rankine"},
    {"Frame9", "celcius to fahrenheit", 3360, 4080, 49, "Text17", 50, "Text18", 51, "Label17", 53, "Label18", 54, "Enter celcius here", "Command10", 52,
     "degrees Celsius to convert to Fahrenheit", "degrees Fahrenheit converted from Celsius"},
    {"Frame8", "fahrenheit to celcius", 3360, 2640, 43, "Text16", 46, "Text15", 45, "Label16", 48, "Label15", 47, "Enter fahrenheit here", "Command9", 44,
     "degrees Fahrenheit to convert to Celsius", "degrees Celsius converted from Fahrenheit"},
    {"Frame7", "feet to centimeters", 3360, 0, 37, "Text14", 40, "Text13", 39, "Label14", 42, "Label13", 41, "Enter feet here", "Command8", 38,
     "feet to convert to centimeters", "centimeters converted from feet"},
    {"Frame6", "yards to meters", 3360, 1320, 31, "Text11", 32, "Text12", 33, "Label11", 35, "Label12", 36, "Enter yards here", "Command7", 34,
     "yards to convert to meters", "meters converted from yards"},
    {"Frame5", "feet to meters", 0, 5400, 25, "Text9", 26, "Text10", 27, "Label9", 29, "Label10", 30, "Enter feet here", "Command6", 28,
     "feet to convert to meters", "meters converted from feet"},
    {"Frame4", "inches to meters", 0, 4080, 19, "Text8", 22, "Text7", 21, "Label8", 24, "Label7", 23, "Enter inches here", "Command5", 20,
     "inches to convert to meters", "meters converted from inches"},
    {"Frame3", "inches to centimeters", 0, 2640, 13, "Text5", 14, "Text6", 15, "Label5", 17, "Label6", 18, "Enter inches here", "Command4", 16,
     "inches to convert to centimeters", "centimeters converted from inches"},
    {"Frame2", "miles to kilometers", 0, 1320, 7, "Text4", 10, "Text3", 9, "Label4", 12, "Label3", 11, "Enter miles here", "Command3", 8,
     "miles to convert to kilometers", "kilometers converted from miles"},
    {"Frame1", "Kilometers to miles ", 0, 0, 1, "Text1", 2, "Text2", 3, "Label1", 4, "Label2", 6, "Enter kilometers here", "Command2", 5,
     "kilometers to convert to miles", "miles converted from kilometers"},
};

constexpr std::size_t ConverterControlCount = std::size(ConverterFrames) * 6 + 1;

constexpr std::array<ControlDefinition, ConverterControlCount> makeConverterControls()
{
    std::array<ControlDefinition, ConverterControlCount> controls{};
    std::size_t i = 0;
    for (const ConverterFrame &f : ConverterFrames)
        controls[i++] = {.name = f.frame, .kind = Frame, .caption = f.caption, .left = f.left,
                         .top = f.top, .width = 3375, .height = 1335, .tab = f.frameTab};
    // Within a frame the boxes and the button lie in front of the labels they
    // touch by a pixel, so they are listed first.
    for (const ConverterFrame &f : ConverterFrames) {
        controls[i++] = {.name = f.leftBox, .kind = TextBox, .container = f.frame,
                         .left = 120, .top = 360, .width = 1335, .height = 285, .tab = f.leftTab,
                         .accessibleName = f.from};
        controls[i++] = {.name = f.rightBox, .kind = TextBox, .container = f.frame,
                         .left = 1800, .top = 360, .width = 1455, .height = 285, .tab = f.rightTab,
                         .accessibleName = f.to};
        controls[i++] = {.name = f.button, .kind = Button, .container = f.frame, .caption = "Convert",
                         .left = 1200, .top = 960, .width = 1215, .height = 255, .tab = f.buttonTab};
        controls[i++] = {.name = f.equals, .kind = Label, .container = f.frame, .caption = "=",
                         .left = 1560, .top = 360, .width = 375, .height = 255, .tab = f.equalsTab,
                         .font = FontStyle{"MS Sans Serif", 12, true}};
        controls[i++] = {.name = f.instruction, .kind = Label, .container = f.frame,
                         .caption = f.instructionCaption, .left = 120, .top = 720, .width = 1815,
                         .height = 255, .tab = f.instructionTab};
    }
    controls[i++] = {.name = "Command1", .kind = Button, .caption = "Back",
                     .left = 6840, .top = 0, .width = 1215, .height = 375, .tab = 0};
    return controls;
}

constexpr auto ConverterControls = makeConverterControls();

} // namespace

constexpr WindowDefinition Converters{
    .name = ConvertersName, .caption = "Converters",
    .clientWidth = 8130, .clientHeight = 6825, .controls = ConverterControls, .menu = ExitOnly};

namespace {

// ---- dictionary --------------------------------------------------------------

constexpr ControlDefinition DictionaryControls[] = {
    {.name = "Text1", .kind = TextBox, .caption = "Text1",
     .left = 0, .top = 360, .width = 7935, .height = 6975, .tab = 1,
     .multiLine = true, .verticalScrollBar = true, .accessibleName = "physics dictionary"},
    {.name = "Command1", .kind = Button, .caption = "Back",
     .left = 6720, .top = 0, .width = 1215, .height = 315, .tab = 0, .font = MsSansSerif8},
};

} // namespace

constexpr WindowDefinition Dictionary{
    .name = DictionaryName, .caption = "Dictionary",
    .clientWidth = 8010, .clientHeight = 7395, .font = FontStyle{"Arial", 9.75},
    .controls = DictionaryControls, .menu = ExitOnly};

// clang-format on

} // namespace forms
