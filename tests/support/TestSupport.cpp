// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/TestSupport.h"

#include "app/WindowKinds.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

using namespace app;

void BoxAnswerer::timerEvent(QTimerEvent *)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (auto *input = qobject_cast<QInputDialog *>(modal); input && input->isVisible()) {
        boxes.append({input->windowTitle(), input->labelText(), 0, {input->textValue()}});
        input->setTextValue(inputAnswer.value_or(input->textValue()));
        input->accept();
    } else if (auto *box = qobject_cast<QMessageBox *>(modal); box && box->isVisible()) {
        Box seen{box->windowTitle(), box->text(), int(box->icon()), {}};
        for (QAbstractButton *button : box->buttons())
            seen.buttons.append(button->text().remove(QLatin1Char('&')));
        boxes.append(seen);
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    }
}

RunningProgram::RunningProgram(const QString &programFolder, quint16 chatServerPort)
{
    registerWindowKinds(
        windows, {programFolder.isEmpty() ? QStringLiteral(FYZORIN_PROGRAM_FOLDER) : programFolder, chatServerPort});
    windows.show(u"frmPhysicsMain");
    settleEvents();
}

void clickControl(WindowManager &windows, const QString &window, const QString &control)
{
    forms::Form &form = windows.instance(window);
    QVERIFY2(form.isVisible(), qPrintable(window + QStringLiteral(" is not visible")));
    if (QAction *entry = forms::findMenuEntry(&form, control))
        entry->trigger();
    else if (QWidget *widget = forms::findControl(&form, control))
        QTest::mouseClick(widget, Qt::LeftButton);
    else
        QFAIL(qPrintable(window + QLatin1Char('.') + control + QStringLiteral(" not found")));
    settleEvents();
}

QStringList visibleKinds(const WindowManager &windows)
{
    QStringList names = windows.loadedKinds();
    names.removeIf([&](const QString &kind) { return !windows.isVisible(kind); });
    return names;
}

void receiveWebAddresses(QObject *receiver)
{
    for (const QString &scheme : {QStringLiteral("http"), QStringLiteral("https")})
        receiver ? QDesktopServices::setUrlHandler(scheme, receiver, "open")
                 : QDesktopServices::unsetUrlHandler(scheme);
}
