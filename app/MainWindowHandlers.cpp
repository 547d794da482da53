// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainWindowHandlers.h"

#include "LinkAddresses.h"
#include "app/LinkLauncher.h"
#include "app/MessageBoxes.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "dictionary/DictionaryFile.h"
#include "forms/ChatForm.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"

namespace app {

namespace {

// "Physics Dictionary": the main window stays visible beside the dictionary,
// which is read afresh at every click. If the file cannot be read the window
// is already shown and keeps what it held.
void Command2_Click(WindowManager &windows, const QString &programFolder)
{
    windows.show(forms::DictionaryName);
    const QString text = dictionary::readDictionary(programFolder);
    forms::setControlText(forms::findControl(&windows.instance(forms::DictionaryName), QStringLiteral("Text1")), text);
}

// "Live Help"
void Command3_Click(WindowManager &windows)
{
    windows.show(forms::ChatName);
    windows.hide(forms::MainWindowName);
}

// "Formula Solvers"
void Command4_Click(WindowManager &windows)
{
    windows.show(forms::FormulaIndexName);
    windows.hide(forms::MainWindowName);
}

// "Converters" hides the formula index (creating it hidden if it was absent),
// not the main window.
void Command1_Click(WindowManager &windows)
{
    windows.show(forms::ConvertersName);
    windows.hide(forms::FormulaIndexName);
}

// "Click here to check for updates", "&Updates" and "&Technical Support".
void openUpdates(QWidget *owner) { LinkLauncher::open(owner, QString::fromUtf8(UpdatesUrl)); }

// "&Exit" ends the program: every window goes, a chat connection with its window.
void mnuExit_Click(WindowManager &windows) { windows.unloadAll(); }

} // namespace

void bindMainWindow(WindowEvents &events, const QString &programFolder)
{
    WindowManager *windows = &events.manager();
    forms::Form *self = &events.window();
    events.onClick(QStringLiteral("Command2"), [windows, programFolder] { Command2_Click(*windows, programFolder); });
    events.onClick(QStringLiteral("Command3"), [windows] { Command3_Click(*windows); });
    events.onClick(QStringLiteral("Command4"), [windows] { Command4_Click(*windows); });
    events.onClick(QStringLiteral("Command1"), [windows] { Command1_Click(*windows); });
    events.onClick(QStringLiteral("Command5"), [self] { openUpdates(self); });
    events.onClick(QStringLiteral("mnuUpdates"), [self] { openUpdates(self); });
    events.onClick(QStringLiteral("mnuSupport"), [self] { openUpdates(self); });
    events.onClick(QStringLiteral("mnuAbout"), [self] { MessageBoxes::showAbout(self); });
    events.onClick(QStringLiteral("mnuExit"), [windows] { mnuExit_Click(*windows); });
}

} // namespace app
