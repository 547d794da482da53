// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a piece of logic gave as text, or "error N" for the run-time error it
// raised instead: one column of a table compares both kinds of result.

#include "core/RunTimeError.h"

#include <QString>

inline QString asText(const QString &text) { return text; }
inline QString asText(double value) { return QString::number(value, 'g', 17); } // exact, and "-0" apart from "0"

template<typename F>
QString outcome(F &&compute)
{
    try {
        return asText(compute());
    } catch (const core::RunTimeError &e) {
        return QStringLiteral("error %1").arg(e.number());
    }
}
