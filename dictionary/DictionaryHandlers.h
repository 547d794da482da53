#pragma once

namespace app {
class WindowEvents;
}

namespace dictionary {

// Handlers of the physics dictionary window.
void bindDictionaryWindow(app::WindowEvents &events);

} // namespace dictionary
