// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// e2e_layout WINDOW CONTROL prints "X Y CLIENT_HEIGHT": the middle of the
// control in client-area pixels, where its window definition places it, and
// the client height, which tells the end-to-end script how tall the menu bar is.

#include "app/WindowKinds.h"
#include "forms/WindowDefinition.h"

#include <cstdio>
#include <string_view>

using namespace forms;

namespace {
const ControlDefinition *find(const WindowDefinition &window, std::string_view name)
{
    for (const ControlDefinition &control : window.controls)
        if (control.name == name)
            return &control;
    return nullptr;
}
} // namespace

int main(int argc, char *argv[])
{
    for (const app::WindowKind &kind : app::windowKinds()) {
        const WindowDefinition *window = &kind.definition;
        const ControlDefinition *control = argc == 3 && window->name == argv[1] ? find(*window, argv[2]) : nullptr;
        if (!control)
            continue;
        int x = toPixels(control->left) + toPixels(control->width) / 2;
        int y = toPixels(control->top) + toPixels(control->height) / 2;
        // Each frame's place is rounded on its own, as the window builder does.
        for (auto *frame = find(*window, control->container); frame; frame = find(*window, frame->container)) {
            x += toPixels(frame->left);
            y += toPixels(frame->top);
        }
        std::printf("%d %d %d\n", x, y, toPixels(window->clientHeight));
        return 0;
    }
    return 1; // no such control: the script says which it asked for
}
