// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MessageBoxes.h"

#include "core/RunTimeError.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace app {

using core::RunTimeError;

namespace MessageBoxes {
namespace {

void showModal(QWidget *owner, QMessageBox::Icon icon, const QString &text)
{
    // Held by a guarded pointer: the owner may be unloaded by another event
    // while the box waits, and takes the box with it.
    QPointer<QMessageBox> box = new QMessageBox(icon, applicationTitle(), text, QMessageBox::Ok, owner);
    box->setWindowModality(Qt::ApplicationModal);
    box->setObjectName(QStringLiteral("messageBox"));
    box->exec();
    delete box;
}

} // namespace

QString applicationTitle() { return QStringLiteral("Fyzorin"); }

QString runTimeErrorText(const RunTimeError &error)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.description());
}

void showRunTimeError(const RunTimeError &error)
{
    showModal(QApplication::activeWindow(), QMessageBox::Critical, runTimeErrorText(error));
}

void showAbout(QWidget *owner) { showModal(owner, QMessageBox::NoIcon, QString()); }

} // namespace MessageBoxes

namespace MessageBoxes {

std::optional<QString> askText(QWidget *owner, const QString &title, const QString &prompt,
                               const QString &defaultAnswer)
{
    QPointer<QInputDialog> box = new QInputDialog(owner);
    box->setObjectName(QStringLiteral("inputBox"));
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(title);
    box->setLabelText(prompt);
    box->setTextValue(defaultAnswer);
    const bool accepted = box->exec() == QDialog::Accepted && box;
    std::optional<QString> answer = accepted ? std::optional(box->textValue()) : std::nullopt;
    delete box;
    return answer;
}

} // namespace MessageBoxes

} // namespace app
