// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text through the loose and strict readings and the note on what was
// read, and any binary64 value through formatting and back: no crash, no
// sanitizer report, only the program's own run-time errors, and a formatted
// number reads back to the same text.

#include "core/RunTimeError.h"
#include "solvers/NumericText.h"
#include "solvers/ReadingNote.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using core::RunTimeError;
namespace NumericText = solvers::NumericText;

namespace {

void expect(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

const NumericText::Separators Comma{QStringLiteral(","), QStringLiteral(".")};

// Formatting, reading back and formatting again gives the same text. Only
// the largest values may round past the binary64 range on the way back.
void checkStable(double value)
{
    const QString once = NumericText::format(value, NumericText::Separators::point());
    try {
        const double back = NumericText::parseLoose(once);
        expect(NumericText::format(back, NumericText::Separators::point()) == once,
               "format(parse(format(x))) is stable");
    } catch (const RunTimeError &error) {
        expect(error.number() == 6 && std::fabs(value) > 1.7976931348623e308,
               "only the largest values overflow on the way back");
    }
}

// The reading stops inside the text, reads what parseLoose reads, and what
// it leaves unread is what the note quotes.
void checkReading(const QString &text)
{
    try {
        const NumericText::LooseReading reading = NumericText::readLoose(text);
        expect(reading.end >= 0 && reading.end <= text.size(), "the reading ends inside the text");
        expect(reading.value == NumericText::parseLoose(text) || std::isnan(reading.value), "as parseLoose reads");
        const bool unread = !text.sliced(reading.end).trimmed().isEmpty();
        expect(solvers::readingNote(text).isEmpty() != unread, "a note exactly when something was not read");
    } catch (const RunTimeError &error) {
        expect(error.number() == 6, "only overflow");
    }
}

void readAll(const QString &text)
{
    checkReading(text);
    for (auto read : {+[](const QString &t) { return NumericText::parseLoose(t); },
                      +[](const QString &t) { return NumericText::parseStrict(t, NumericText::Separators::point()); },
                      +[](const QString &t) { return NumericText::parseStrict(t, Comma); }}) {
        try {
            const double value = read(text);
            expect(std::isfinite(value), "a reading is finite");
            checkStable(value);
        } catch (const RunTimeError &error) {
            expect(error.number() == 6 || error.number() == 13, "only overflow or type mismatch");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readAll(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    readAll(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkStable(value);
    }
    return 0;
}
