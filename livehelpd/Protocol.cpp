// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "livehelpd/Protocol.h"

namespace livehelpd::protocol {

namespace {
constexpr QByteArrayView NamePrefix("name|");
constexpr QByteArrayView TextPrefix("text|");
constexpr QByteArrayView ListPrefix("cons|");
} // namespace

QByteArray nameFromChunk(QByteArrayView chunk)
{
    if (chunk.startsWith(NamePrefix))
        chunk = chunk.sliced(NamePrefix.size());
    return chunk.toByteArray();
}

QByteArray sanitiseName(QByteArrayView name, qsizetype maxBytes)
{
    QByteArray clean = name.first(qMin(name.size(), qMax<qsizetype>(maxBytes, 0))).toByteArray();
    for (char &byte : clean) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == Separator || code < 0x20 || code == 0x7F)
            byte = NameReplacement;
    }
    return clean;
}

bool beginsMessage(QByteArrayView chunk) { return chunk.startsWith(NamePrefix) || chunk.startsWith(TextPrefix); }

bool lineFromChunk(QByteArrayView chunk, QByteArrayView *line)
{
    if (!chunk.startsWith(TextPrefix))
        return false;
    *line = chunk.sliced(TextPrefix.size());
    return true;
}

QByteArray userListMessage(const QList<QByteArray> &names)
{
    qsizetype size = ListPrefix.size();
    for (const QByteArray &name : names)
        size += name.size() + 1;
    QByteArray message;
    message.reserve(size);
    message += ListPrefix;
    for (const QByteArray &name : names) {
        message += name;
        message += Separator;
    }
    return message;
}

QByteArray chatLineMessage(QByteArrayView sender, QByteArrayView line)
{
    QByteArray message;
    message.reserve(TextPrefix.size() + sender.size() + 1 + line.size());
    message += TextPrefix;
    message += sender;
    message += Separator;
    message += line;
    return message;
}

} // namespace livehelpd::protocol
