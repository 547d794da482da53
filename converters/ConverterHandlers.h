#pragma once

namespace app {
class WindowEvents;
}

namespace converters {

// Handlers of the unit converter window.
void bindConvertersWindow(app::WindowEvents &events);

} // namespace converters
