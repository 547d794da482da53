// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "livehelpd/OutputQueue.h"

#include <utility>

namespace livehelpd {

void OutputQueue::appendLine(QByteArray line, quint64 from)
{
    bytes += line.size();
    places.push_back({std::move(line), false, from});
}

bool OutputQueue::appendList()
{
    if (listQueued)
        return false;
    listQueued = true;
    places.push_back({QByteArray(), true});
    return true;
}

void OutputQueue::forgetLinesFrom(quint64 from)
{
    // The list's place has sender 0, which no client has.
    std::erase_if(places, [this, from](const Place &place) {
        if (place.from != from)
            return false;
        bytes -= place.line.size();
        return true;
    });
}

QByteArray OutputQueue::takeNext(const QByteArray &currentList)
{
    Place next = std::move(places.front());
    places.pop_front();
    if (next.isList) {
        listQueued = false;
        return currentList;
    }
    bytes -= next.line.size();
    return std::move(next.line);
}

void OutputQueue::clear()
{
    places.clear();
    bytes = 0;
    listQueued = false;
}

} // namespace livehelpd
