// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Constant layout records of every window. A window is described once, as
// data; WindowBuilder turns a definition into widgets whenever WindowManager
// creates an instance. Geometry is in twips (15 twips a pixel), colours RGB,
// fonts by the names the layouts were designed with (the builder substitutes
// the fonts this desktop has).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace forms {

inline constexpr int TwipsPerPixel = 15;

// Layouts are drawn on a 15-twip grid; round anything else to the nearest pixel.
constexpr int toPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb Navy{0, 0, 128};
inline constexpr Rgb DarkBlue{0, 0, 192};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb White{255, 255, 255};

struct FontStyle {
    std::string_view family;
    double points = 8.25;
    bool bold = false;
    bool underline = false;
    friend constexpr bool operator==(const FontStyle &, const FontStyle &) = default;
};

inline constexpr FontStyle MsSansSerif8{"MS Sans Serif", 8.25};

enum class ControlKind : std::uint8_t { Button, Label, TextBox, Frame, Image, Line, ListBox, Socket };

inline constexpr int NoTabStop = -1;

struct ControlDefinition {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    std::string_view container{}; // empty: the window itself, else a frame's name
    std::string_view caption{};   // caption of a button, label or frame; initial text of a text box
    // Left, top, width, height relative to the container; for a line X1, Y1, X2, Y2.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tab = NoTabStop;             // place in the focus order; images, lines and sockets have none
    std::optional<FontStyle> font{}; // none: the window's font
    std::optional<Rgb> textColour{};
    std::optional<Rgb> backColour{};
    bool transparent = false;
    bool multiLine = false;
    bool verticalScrollBar = false;
    std::string_view picture{}; // Qt resource path of an image's picture
    // What assistive technology calls the control where its caption does not
    // say it: the quantity a text box holds, what a picture or line shows.
    // Empty: the caption.
    std::string_view accessibleName{};
    // A label or picture that acts on a click. It also takes the keyboard
    // focus, and Space or Enter clicks it, so the keyboard reaches it too.
    bool link = false;
};

struct MenuEntry {
    std::string_view name{};
    std::string_view caption{}; // "&" marks the access key; "-" is a separator
    std::span<const MenuEntry> entries{};
};

struct WindowDefinition {
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    FontStyle font = MsSansSerif8;
    std::string_view icon{}; // Qt resource path, or empty
    std::span<const ControlDefinition> controls{};
    std::span<const MenuEntry> menu{};
};

// Whether a control can ever take the keyboard focus.
constexpr bool takesFocus(const ControlDefinition &control)
{
    return control.kind == ControlKind::Button || control.kind == ControlKind::TextBox
        || control.kind == ControlKind::ListBox || control.link;
}

} // namespace forms
