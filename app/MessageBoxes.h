// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The modal boxes the program shows. Each waits for the user and returns
// when it is dismissed.

#include <QString>
#include <optional>

class QWidget;

namespace core {
class RunTimeError;
}

namespace app {

namespace MessageBoxes {

// Title of every box that has no title of its own.
QString applicationTitle();

QString runTimeErrorText(const core::RunTimeError &error);
void showRunTimeError(const core::RunTimeError &error);
void showAbout(QWidget *owner);

// The input box: a prompt, a text field with a default answer, OK and
// Cancel. Nothing on Cancel.
std::optional<QString> askText(QWidget *owner, const QString &title, const QString &prompt,
                               const QString &defaultAnswer);

} // namespace MessageBoxes

} // namespace app
