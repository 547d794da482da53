// Prints where a window's controls lie, straight from its definition, so
// that the end-to-end script clicks where the program was told to put them
// rather than at pixels copied by hand.
//
//   e2e_layout WINDOW   e.g. frmPhysicsMain, Voltage2, Chat
//
// Output, tab-separated (captions may hold spaces, even trailing ones):
//   window  NAME  CAPTION
//   client  WIDTH  HEIGHT                      (pixels)
//   control NAME  KIND  CONTAINER  X  Y  W  H  CAPTION
//           (pixels, client-relative; CONTAINER "-" for the window itself)
//   menu    NAME  CAPTION                      (every entry, submenus too)
// Controls inside frames are placed by adding up their containers' offsets.
// An image is given its definition's box (the program sizes it to its picture).

#include "forms/AllForms.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using forms::ControlDefinition;
using forms::ControlKind;
using forms::WindowDefinition;

const char *kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return "Button";
    case ControlKind::Label: return "Label";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::Frame: return "Frame";
    case ControlKind::Image: return "Image";
    case ControlKind::Line: return "Line";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::Socket: return "Socket";
    }
    return "?";
}

const ControlDefinition *findControl(const WindowDefinition &window, std::string_view name)
{
    const auto it = std::find_if(window.controls.begin(), window.controls.end(),
                                 [&](const ControlDefinition &c) { return c.name == name; });
    return it == window.controls.end() ? nullptr : &*it;
}

// Pixel offset of a control's container chain from the client area, each
// frame's place rounded on its own as the builder does.
void containerOffset(const WindowDefinition &window, const ControlDefinition &control, int &left, int &top)
{
    left = top = 0;
    std::string_view container = control.container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        const ControlDefinition *frame = findControl(window, container);
        if (!frame)
            break;
        left += forms::toPixels(frame->left);
        top += forms::toPixels(frame->top);
        container = frame->container;
    }
}

void printMenu(std::span<const forms::MenuEntry> entries)
{
    for (const forms::MenuEntry &entry : entries) {
        std::printf("menu\t%s\t%s\n", std::string(entry.name).c_str(), std::string(entry.caption).c_str());
        printMenu(entry.entries);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_layout WINDOW\n");
        return 2;
    }
    const std::string_view wanted = argv[1];
    const auto windows = forms::allWindowDefinitions();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [&](const WindowDefinition *w) { return w->name == wanted; });
    if (found == windows.end()) {
        std::fprintf(stderr, "e2e_layout: no window named \"%s\"\n", argv[1]);
        return 1;
    }
    const WindowDefinition &window = **found;
    const auto text = [](std::string_view s) { return std::string(s); };

    std::printf("window\t%s\t%s\n", text(window.name).c_str(), text(window.caption).c_str());
    std::printf("client\t%d\t%d\n", forms::toPixels(window.clientWidth), forms::toPixels(window.clientHeight));
    for (const ControlDefinition &control : window.controls) {
        if (control.kind == ControlKind::Socket)
            continue; // no widget, nothing to click
        int offsetLeft = 0;
        int offsetTop = 0;
        containerOffset(window, control, offsetLeft, offsetTop);
        int x = 0, y = 0, w = 0, h = 0; // pixels
        if (control.kind == ControlKind::Line) {
            // A line's fields are its end points; its widget is the box
            // holding both, inclusive (a flat line is one pixel thick).
            const int x1 = forms::toPixels(control.left), x2 = forms::toPixels(control.width);
            const int y1 = forms::toPixels(control.top), y2 = forms::toPixels(control.height);
            x = std::min(x1, x2);
            y = std::min(y1, y2);
            w = std::max(x1, x2) - x + 1;
            h = std::max(y1, y2) - y + 1;
        } else {
            x = forms::toPixels(control.left);
            y = forms::toPixels(control.top);
            w = forms::toPixels(control.width);
            h = forms::toPixels(control.height);
        }
        std::printf("control\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%s\n", text(control.name).c_str(),
                    kindName(control.kind), control.container.empty() ? "-" : text(control.container).c_str(),
                    offsetLeft + x, offsetTop + y, w, h, text(control.caption).c_str());
    }
    printMenu(window.menu);
    return 0;
}
