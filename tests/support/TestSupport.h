// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared helpers of the widget tests: answering modal boxes, recording the
// web addresses handed to the desktop, and clicking named controls.

#include <QDesktopServices>
#include <QUrl>
#include <optional>

#include "app/WindowManager.h"
#include "support/TestPeer.h" // settleEvents

// Answers every modal box as soon as it appears, recording what it showed.
// Input boxes are answered with inputAnswer, else with their default answer.
class BoxAnswerer : public QObject
{
    Q_OBJECT
public:
    struct Box {
        QString title;
        QString text;
        int icon = 0;
        QStringList buttons; // an input box: its default answer
    };
    BoxAnswerer() { startTimer(5); }
    QList<Box> boxes;
    std::optional<QString> inputAnswer;

private:
    void timerEvent(QTimerEvent *) override;
};

// Clicks a control or chooses a menu entry of a window by name, as a user
// would, then lets deferred deletions of unloaded windows happen.
void clickControl(app::WindowManager &windows, const QString &window, const QString &control);
QStringList visibleKinds(const app::WindowManager &windows);
inline QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// The program as main() starts it: every window kind registered (the
// dictionary read from programFolder, by default the build folder; Live Help
// on chatServerPort) and the main window shown. Modal boxes are answered.
struct RunningProgram {
    explicit RunningProgram(const QString &programFolder = QString(), quint16 chatServerPort = 8765);
    ~RunningProgram()
    {
        windows.unloadAll();
        settleEvents();
    }
    BoxAnswerer boxes;
    app::WindowManager windows;
};

// Web addresses go to receiver's slot open(QUrl), or, with none, to the desktop again.
void receiveWebAddresses(QObject *receiver);

// Receives the addresses the program asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    UrlRecorder() { receiveWebAddresses(this); }
    ~UrlRecorder() override { receiveWebAddresses(nullptr); }
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};
