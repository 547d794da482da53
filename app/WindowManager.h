// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Dispatcher.h"

#include <QAnyStringView>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

namespace forms {
class Form;
struct WindowDefinition;
} // namespace forms

namespace app {
class WindowEvents;

// Holds at most one instance of each window kind. A kind is absent until its
// first reference (instance, show or hide) builds it from its definition; it
// then stays, hidden or visible, with everything typed into it, until it is
// unloaded. Every event of every window reaches its handler through this
// manager's Dispatcher, after which the end-of-event rules apply: with no
// window visible the hidden main window comes back, and with the main window
// gone (or no window at all) the application ends.
class WindowManager : public QObject
{
    Q_OBJECT
public:
    // Wires a freshly built window's events to its handlers; runs once per build.
    using Binder = std::function<void(WindowEvents &events)>;

    explicit WindowManager(QObject *parent = nullptr);
    ~WindowManager() override;

    void registerKind(const forms::WindowDefinition &definition, Binder bind);

    // Kinds by window name: a QString, or a definition's name.

    forms::Form &instance(QAnyStringView kind);
    void show(QAnyStringView kind);
    void hide(QAnyStringView kind);
    void unload(QAnyStringView kind);
    void unloadAll();

    bool isLoaded(QAnyStringView kind) const;
    bool isVisible(QAnyStringView kind) const;
    bool hasEnded() const { return ended; }
    QStringList loadedKinds() const;
    QStringList kindNames() const; // every registered kind

    Dispatcher &dispatcher() { return events; }

Q_SIGNALS:
    // No window remains: the process is to exit.
    void applicationEnded();

private:
    struct Kind {
        const forms::WindowDefinition *definition;
        Binder bind;
    };

    void afterEvent();
    void end();

    std::map<QString, Kind> kinds;
    std::map<QString, std::unique_ptr<forms::Form>> instances;
    Dispatcher events;
    bool ended = false;
};

} // namespace app
