// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/ChatForm.h"

namespace forms {

// Layout tables are aligned by hand, one control a line or two.
// clang-format off
namespace {

using enum ControlKind;

constexpr FontStyle Arial975Bold{"Arial", 9.75, true};
constexpr FontStyle Arial825{"Arial", 8.25};

// Everything visible lies in the captionless frame frameChat, which fills the
// client area (and, with Label2, reaches 2 pixels below it: clipped).
constexpr ControlDefinition ChatControls[] = {
    {.name = "frameChat", .kind = Frame, .left = 0, .top = 0, .width = 7695, .height = 6495, .tab = 0,
     .accessibleName = "Live Help"},
    {.name = "Frame2", .kind = Frame, .container = "frameChat", .caption = "Connection Status",
     .left = 5160, .top = 840, .width = 2415, .height = 615, .tab = 14},
    // No name of its own: empty, it is named by its frame; else by the status it shows.
    {.name = "Label4", .kind = Label, .container = "Frame2", .left = 120, .top = 240, .width = 2175,
     .height = 255, .tab = 15, .font = Arial975Bold, .textColour = Blue},
    {.name = "Command3", .kind = Button, .container = "frameChat", .caption = "Disconnect From Chat",
     .left = 6360, .top = 240, .width = 1215, .height = 495, .tab = 13, .font = Arial975Bold},
    {.name = "Command2", .kind = Button, .container = "frameChat", .caption = "Connect To Chat",
     .left = 5160, .top = 240, .width = 1215, .height = 495, .tab = 12, .font = Arial975Bold},
    {.name = "Command1", .kind = Button, .container = "frameChat", .caption = "Back To Main",
     .left = 120, .top = 120, .width = 1095, .height = 495, .tab = 9, .font = Arial825},
    {.name = "List", .kind = ListBox, .container = "frameChat", .left = 5880, .top = 1800,
     .width = 1695, .height = 3660, .tab = 7, .font = FontStyle{"Arial", 9}, .accessibleName = "people online"},
    {.name = "frameOut", .kind = Frame, .container = "frameChat", .caption = "Write text",
     .left = 120, .top = 5520, .width = 6855, .height = 615, .tab = 5, .font = Arial975Bold},
    {.name = "txtOut", .kind = TextBox, .container = "frameOut", .left = 120, .top = 240,
     .width = 6615, .height = 285, .tab = 6, .accessibleName = "message to send"},
    {.name = "Frame1", .kind = Frame, .container = "frameChat", .caption = "Message Session",
     .left = 120, .top = 1440, .width = 5655, .height = 3975, .tab = 3, .font = Arial975Bold},
    {.name = "sock", .kind = Socket, .container = "Frame1"},
    {.name = "txtChat", .kind = TextBox, .container = "Frame1", .left = 120, .top = 240,
     .width = 5415, .height = 3615, .tab = 4, .font = FontStyle{"Arial", 9.75},
     .multiLine = true, .verticalScrollBar = true, .accessibleName = "message session"},
    {.name = "frameName", .kind = Frame, .container = "frameChat",
     .caption = "Type In Your UserName For The Chat Session",
     .left = 120, .top = 720, .width = 4935, .height = 615, .tab = 1, .font = Arial975Bold},
    {.name = "txtName", .kind = TextBox, .container = "frameName", .caption = "Guest",
     .left = 120, .top = 240, .width = 4695, .height = 285, .tab = 2, .font = Arial975Bold,
     .accessibleName = "user name"},
    {.name = "Label3", .kind = Label, .container = "frameChat",
     .caption = "You need the chat IP to join, please click here to get it",
     .left = 1920, .top = 240, .width = 2655, .height = 495, .tab = 11,
     .font = FontStyle{"Arial", 8.25, true}, .textColour = Blue, .link = true},
    {.name = "Label2", .kind = Label, .container = "frameChat", .caption = "Chat Client Version 1.0a",
     .left = 2760, .top = 6240, .width = 2055, .height = 255, .tab = 10,
     .font = FontStyle{"Arial", 9}, .textColour = White, .backColour = DarkBlue},
    {.name = "Label1", .kind = Label, .container = "frameChat", .caption = "People Online",
     .left = 5880, .top = 1440, .width = 1695, .height = 375, .tab = 8,
     .font = FontStyle{"Arial", 12, true}, .textColour = White, .backColour = Navy},
};

constexpr MenuEntry FileEntries[] = {
    {"con", "Connect", {}},
    {"discon", "Disconnect", {}},
    {"break1", "-", {}},
    {"avsluta", "End", {}},
};

constexpr MenuEntry ChatMenu[] = {{"mnuFile", "&File", FileEntries}};

} // namespace

// The stored caption is replaced by the status caption before the window is
// first shown.
constexpr WindowDefinition Chat{
    .name = ChatName, .caption = "Zendra  Live Help",
    .clientWidth = 7740, .clientHeight = 6465, .controls = ChatControls, .menu = ChatMenu};

// clang-format on

} // namespace forms
