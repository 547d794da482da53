// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <deque>

namespace livehelpd {

// What waits to be written to one client: chat lines, each with its sender's
// id, and at most one place for the people-online list. The list is not
// stored: takeNext() hands out the list as it is when its turn comes, so
// changes that pile up while the client waits reach it as one list. The
// line count and byte total are kept here, beside the lines, so that no
// change to the queue can leave them behind.
class OutputQueue
{
public:
    // Chat lines waiting, not counting the list.
    qsizetype lineCount() const { return qsizetype(places.size()) - (listQueued ? 1 : 0); }
    // The bytes of those lines.
    qint64 lineBytes() const { return bytes; }
    bool empty() const { return places.empty(); }

    void appendLine(QByteArray line, quint64 from);
    // False when a list already waits, which then stands for this one too.
    bool appendList();
    // Takes out every line from that sender.
    void forgetLinesFrom(quint64 from);
    // Takes out the first place and returns what to write for it: its line,
    // or for the list's place the list given. Not on an empty queue.
    QByteArray takeNext(const QByteArray &currentList);
    void clear();

private:
    struct Place {
        QByteArray line;
        bool isList = false;
        quint64 from = 0;
    };

    std::deque<Place> places;
    qint64 bytes = 0;
    bool listQueued = false;
};

} // namespace livehelpd
