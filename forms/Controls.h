// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reaching the controls of a built window by name, and reading or writing
// the caption or text of any kind of control in one way.

#include <QString>
#include <string_view>

class QAction;
class QWidget;

namespace forms {

// A name, caption or text of a definition (UTF-8) as a QString.
QString toQString(std::string_view text);

QWidget *findControl(const QWidget *window, const QString &name);   // nullptr if none
QAction *findMenuEntry(const QWidget *window, const QString &name); // nullptr if none

// Caption of a button, label or frame; text of a text box.
QString controlText(const QWidget *control);
void setControlText(QWidget *control, const QString &text);

} // namespace forms
