// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Dispatcher.h"

#include "app/MessageBoxes.h"
#include "core/RunTimeError.h"

#include <new>

namespace app {

using core::RunTimeError;

Dispatcher::Dispatcher(Handler afterOutermostHandler)
    : afterOutermost(std::move(afterOutermostHandler))
{
}

void Dispatcher::run(const Handler &handler)
{
    ++depth;
    try {
        try {
            handler();
        } catch (const std::bad_alloc &) {
            throw RunTimeError::outOfMemory();
        }
    } catch (const RunTimeError &error) {
        MessageBoxes::showRunTimeError(error);
    }
    if (--depth == 0 && afterOutermost)
        afterOutermost();
}

} // namespace app
