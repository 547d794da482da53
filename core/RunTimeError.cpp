// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/RunTimeError.h"

namespace core {

RunTimeError::RunTimeError(int number, QString description)
    : errorNumber(number)
    , errorDescription(std::move(description))
    , utf8(errorDescription.toUtf8())
{
}

RunTimeError RunTimeError::overflow() { return {6, QStringLiteral("Overflow")}; }
RunTimeError RunTimeError::outOfMemory() { return {7, QStringLiteral("Out of memory")}; }
RunTimeError RunTimeError::subscriptOutOfRange() { return {9, QStringLiteral("Subscript out of range")}; }
RunTimeError RunTimeError::divisionByZero() { return {11, QStringLiteral("Division by zero")}; }
RunTimeError RunTimeError::typeMismatch() { return {13, QStringLiteral("Type mismatch")}; }
RunTimeError RunTimeError::fileNotFound() { return {53, QStringLiteral("File not found")}; }
RunTimeError RunTimeError::deviceIoError() { return {57, QStringLiteral("Device I/O error")}; }
RunTimeError RunTimeError::pathFileAccessError() { return {75, QStringLiteral("Path/File access error")}; }

} // namespace core
