// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace forms {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QWidget *findControl(const QWidget *window, const QString &name)
{
    return window ? window->findChild<QWidget *>(name) : nullptr;
}

QAction *findMenuEntry(const QWidget *window, const QString &name)
{
    return window ? window->findChild<QAction *>(name) : nullptr;
}

QString controlText(const QWidget *control)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (const auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return box->toPlainText();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return {};
}

void setControlText(QWidget *control, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->setText(text);
        line->setCursorPosition(0); // the leading digits of a long result in view
    } else if (auto *box = qobject_cast<QPlainTextEdit *>(control))
        box->setPlainText(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
    else if (auto *frame = qobject_cast<QGroupBox *>(control))
        frame->setTitle(text);
}

} // namespace forms
