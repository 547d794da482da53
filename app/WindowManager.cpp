// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowManager.h"

#include "app/WindowEvents.h"
#include "core/RunTimeError.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "forms/WindowBuilder.h"

#include <algorithm>

namespace app {

using core::RunTimeError;

WindowManager::WindowManager(QObject *parent)
    : QObject(parent)
    , events([this] { afterEvent(); })
{
}

WindowManager::~WindowManager() = default;

void WindowManager::registerKind(const forms::WindowDefinition &definition, Binder bind)
{
    kinds.insert_or_assign(forms::toQString(definition.name), Kind{&definition, std::move(bind)});
}

forms::Form &WindowManager::instance(QAnyStringView name)
{
    const QString kind = name.toString();
    if (const auto found = instances.find(kind); found != instances.end())
        return *found->second;

    const auto registered = kinds.find(kind);
    if (registered == kinds.end())
        throw RunTimeError::subscriptOutOfRange(); // a window the program does not have

    std::unique_ptr<forms::Form> built = forms::buildWindow(*registered->second.definition);
    forms::Form &form = *built;
    instances.emplace(kind, std::move(built));
    connect(&form, &forms::Form::closeRequested, this, [this, kind] { events.run([this, kind] { unload(kind); }); });
    if (registered->second.bind) {
        WindowEvents binding(form, *this);
        registered->second.bind(binding);
    }
    return form;
}

void WindowManager::show(QAnyStringView kind)
{
    forms::Form &form = instance(kind);
    form.show();
    form.raise();
    form.activateWindow();
}

void WindowManager::hide(QAnyStringView kind) { instance(kind).hide(); }

void WindowManager::unload(QAnyStringView kind)
{
    const auto found = instances.find(kind.toString());
    if (found == instances.end())
        return;
    // The window may be unloading itself from inside one of its own event
    // handlers, so it goes at once from sight and from the kinds' table, but
    // its widgets are deleted only when control is back in the event loop.
    forms::Form *form = found->second.release();
    instances.erase(found);
    form->hide();
    form->deleteLater();
}

void WindowManager::unloadAll()
{
    while (!instances.empty())
        unload(instances.begin()->first);
}

bool WindowManager::isLoaded(QAnyStringView kind) const { return instances.contains(kind.toString()); }

bool WindowManager::isVisible(QAnyStringView kind) const
{
    const auto found = instances.find(kind.toString());
    return found != instances.end() && found->second->isVisible();
}

QStringList WindowManager::loadedKinds() const
{
    QStringList names;
    for (const auto &entry : instances)
        names.append(entry.first);
    return names;
}

QStringList WindowManager::kindNames() const
{
    QStringList names;
    for (const auto &entry : kinds)
        names.append(entry.first);
    return names;
}

void WindowManager::afterEvent()
{
    if (ended)
        return;
    const bool anyVisible
        = std::any_of(instances.begin(), instances.end(), [](const auto &entry) { return entry.second->isVisible(); });
    if (anyVisible)
        return;
    // Never leave the user with a running program and nothing on screen.
    if (isLoaded(forms::MainWindowName))
        show(forms::MainWindowName);
    else
        end();
}

void WindowManager::end()
{
    ended = true;
    unloadAll();
    Q_EMIT applicationEnded();
}

} // namespace app
