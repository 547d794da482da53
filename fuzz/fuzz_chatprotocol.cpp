// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes a chat read could hand over, decoded as the socket decodes them,
// through the parser of server messages: no crash, no sanitizer report, only
// the documented run-time error 9, and every parsed piece consistent with the
// text it came from.

#include "chat/Protocol.h"
#include "core/CodePage.h"
#include "core/RunTimeError.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <variant>

using core::RunTimeError;
namespace CodePage = core::CodePage;

namespace {

void expect(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

const QLatin1Char Bar('|');

// The kind is what comes before the first bar (all of the text without one).
QString kindOf(const QString &text)
{
    const qsizetype bar = text.indexOf(Bar);
    return bar < 0 ? text : text.left(bar);
}

void checkList(const QString &text, const chat::UserList &list)
{
    expect(kindOf(text) == QLatin1String("cons"), "a list comes only from cons input");
    for (const QString &name : list.names)
        expect(!name.contains(Bar), "a listed name holds no bar");
    // The field after the last bar is never a name, so each bar but the
    // first closes one.
    const qsizetype bars = text.count(Bar);
    expect(list.names.size() == (bars > 1 ? bars - 1 : 0), "one name per closing bar");
    if (!list.names.isEmpty()) {
        const QString closed = QStringLiteral("cons|") + list.names.join(Bar) + Bar;
        expect(text.startsWith(closed), "the names are the input's fields in order");
        expect(!text.mid(closed.size()).contains(Bar), "nothing after the names is a name");
    }
    // The canonical form of a list reads back to the same list.
    const chat::ServerMessage again = chat::ParseServerMessage(QStringLiteral("cons|") + list.names.join(Bar)
                                                               + (list.names.isEmpty() ? QString() : QString(Bar)));
    expect(again == chat::ServerMessage(list), "a list rewritten reads back the same");
}

void checkLine(const QString &text, const chat::ChatLine &line)
{
    expect(kindOf(text) == QLatin1String("text"), "a chat line comes only from text input");
    expect(!line.sender.contains(Bar), "a sender holds no bar");
    expect(!line.line.contains(Bar), "a line shows only up to a bar");
    const QString rebuilt = QStringLiteral("text|") + line.sender + Bar + line.line;
    expect(text.startsWith(rebuilt), "sender and line are the input's second and third fields");
    expect(text.size() == rebuilt.size() || text.at(rebuilt.size()) == Bar, "the line ends at a bar or the end");
    expect(chat::ParseServerMessage(rebuilt) == chat::ServerMessage(line), "a chat line rewritten reads back the same");
}

void checkOne(const QString &text)
{
    chat::ServerMessage message;
    try {
        message = chat::ParseServerMessage(text);
    } catch (const RunTimeError &error) {
        expect(error.number() == 9, "only error 9");
        expect(text.isEmpty() || (kindOf(text) == QLatin1String("text") && text.count(Bar) < 2),
               "error 9 only for an empty text or a chat line of fewer than three fields");
        return;
    }
    expect(!text.isEmpty(), "an empty text is an error");
    if (const auto *list = std::get_if<chat::UserList>(&message)) {
        checkList(text, *list);
    } else if (const auto *line = std::get_if<chat::ChatLine>(&message)) {
        checkLine(text, *line);
    } else {
        const QString kind = kindOf(text);
        expect(kind != QLatin1String("cons") && kind != QLatin1String("text"), "cons and text input is never ignored");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // What ChatSocket::GetData hands to the window: one character a byte.
    const QString text = CodePage::toText(bytes);
    expect(text.size() == bytes.size(), "one character a byte");
    expect(CodePage::toBytes(text) == bytes, "the code page round-trips every byte");
    checkOne(text);
    return 0;
}
