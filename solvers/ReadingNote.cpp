// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/ReadingNote.h"

#include "solvers/NumericText.h"

#include <QRegularExpression>

namespace solvers {

namespace {

// A pasted page need not fill the screen: the start of what was not read says enough.
constexpr qsizetype MaxQuoted = 40;

QString quoted(QStringView unread)
{
    if (unread.size() <= MaxQuoted)
        return u'"' + unread.toString() + u'"';
    return u'"' + unread.first(MaxQuoted).toString() + QStringLiteral("…\"");
}

// How to write what was meant so that it is read whole, where that is clear.
QString hint(const QString &read, QStringView unread)
{
    if (read.isEmpty())
        return QStringLiteral(" (no number at the start)");
    if (unread.size() > 1 && unread[0] == u',' && unread[1].isDigit())
        return QStringLiteral(" (use \".\" for decimals)");
    static const QRegularExpression powerOfTen(QStringLiteral(R"(^[xX*×]\s*10\s*\^\s*([+-]?\d+))"));
    if (const auto power = powerOfTen.match(unread.toString());
        power.hasMatch() && !read.contains(u'E', Qt::CaseInsensitive))
        return QStringLiteral(" (write %1E%2)").arg(read, power.captured(1));
    if (unread[0].isLetter() || unread[0] == u'/' || unread[0] == u'°')
        return QStringLiteral(" (type the number alone, without a unit)");
    return {};
}

} // namespace

QString readingNote(QStringView text)
{
    const NumericText::LooseReading reading = NumericText::readLoose(text);
    const QStringView unread = text.sliced(reading.end).trimmed();
    if (unread.isEmpty())
        return {};
    return QStringLiteral("Read as %1 — %2 was not read")
               .arg(NumericText::format(reading.value, NumericText::Separators::point()), quoted(unread))
        + hint(reading.number, unread);
}

} // namespace solvers
