// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace app {

// The one place where user-interface events meet their handlers. A handler
// runs to its end, or until it raises a RunTimeError: then the error box is
// shown and the handler is abandoned, leaving every window as it was. When
// the outermost handler is done, the program's end-of-event rules run.
class Dispatcher
{
public:
    using Handler = std::function<void()>;

    explicit Dispatcher(Handler afterOutermostHandler);

    void run(const Handler &handler);

private:
    Handler afterOutermost;
    int depth = 0; // handlers may nest inside a modal box or an event pass
};

} // namespace app
