// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The logic behind the windows, called directly: conversions, dictionary file, code page, chat protocol.

#include "chat/Protocol.h"
#include "converters/Conversions.h"
#include "core/CodePage.h"
#include "dictionary/DictionaryFile.h"
#include "solvers/Constants.h"
#include "solvers/NumericText.h"
#include "solvers/ReadingNote.h"
#include "support/Outcome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

using namespace core;
using namespace solvers;

namespace {

// A converter button's conversion.
QString convert(std::string_view button, const QString &in)
{
    for (const converters::Conversion &c : converters::conversions())
        if (c.button == button)
            return NumericText::format(NumericText::store(c.formula(NumericText::parseLoose(in))));
    return QStringLiteral("no such button");
}

QString message(const QString &text)
{
    const chat::ServerMessage m = chat::ParseServerMessage(text);
    if (const auto *list = std::get_if<chat::UserList>(&m))
        return QStringLiteral("people: ") + list->names.join(QLatin1Char(','));
    const auto *line = std::get_if<chat::ChatLine>(&m);
    return line ? line->sender + QStringLiteral(" says ") + line->line : QStringLiteral("ignored");
}

} // namespace

class LogicTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void logic_data();
    void logic()
    {
        QFETCH(QString, got);
        QTEST(got, "expected");
    }

    // Beside the program, else in ../share/fyzorin/; read whole, or error 53 (missing) or 75 (no file).
    void dictionaryFile()
    {
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("share/fyzorin")));
        const auto read = [&] { return outcome([&] { return dictionary::readDictionary(root.filePath("bin")); }); };
        QCOMPARE(read(), QStringLiteral("error 53"));
        QFile installed(root.filePath(QStringLiteral("share/fyzorin/physicsdicionary2.txt")));
        QVERIFY(installed.open(QIODevice::WriteOnly) && installed.write("Joule - energy\r\n") > 0 && installed.flush());
        QCOMPARE(read(), QStringLiteral("Joule - energy\n"));
        QVERIFY(root.mkpath(QStringLiteral("bin/physicsdicionary2.txt")));
        QCOMPARE(read(), QStringLiteral("error 75"));
    }
};

// Each row holds what the logic gave beside what it should give.
void LogicTest::logic_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    const std::initializer_list<std::tuple<const char *, const char *, const char *>> conversions{
        {"Command2", "100", "62.4"}, {"Command3", "1", "1.6025641025641"}, {"Command4", "12", "30.48"},
        {"Command5", "100", "2.54"}, {"Command6", "3", "0.9144"},          {"Command7", "12abc", "10.9728"},
        {"Command8", "1", "30.48"},  {"Command9", "212", "100"},           {"Command10", "100", "212"},
        {"Command11", "", "-459.67"}};
    for (const auto &[button, in, expected] : conversions)
        QTest::addRow("%s %s", button, in)
            << outcome([button = button, in = in] { return convert(button, QString::fromLatin1(in)); })
            << QString::fromLatin1(expected);

    for (const auto &[bytes, expected] : std::initializer_list<std::pair<QByteArray, QString>>{
             {"Atom - a\r\nBoson - b\r\n", "Atom - a\nBoson - b\n"},
             {"a\rb", "a\nb"},
             {"\x80\x93q\x94", QStringLiteral("\u20ac\u201cq\u201d")},
             {"\xc3\x85ngstr\xc3\xb6m \xe2\x84\xab", QStringLiteral("\u00c5ngstr\u00f6m \u212b")},
             {"\xef\xbb\xbfmu", "mu"},
             {"\xc3\x28", QStringLiteral("\u00c3(")}})
        QTest::addRow("decode [%s]", bytes.toHex().constData()) << dictionary::decodeDictionary(bytes) << expected;
    // The constants a calculator inserts, as the dictionary quotes them (blanks between digits, x 10^).
    QString dictionary = dictionary::readDictionary(QStringLiteral(FYZORIN_PROGRAM_FOLDER)).remove(' ');
    QStringList misquoted;
    for (const PhysicalConstant &c : physicalConstants())
        if (const QString value = QString::fromLatin1(c.value).replace('E', "x10^"); !dictionary.contains(value))
            misquoted << value;
    QTest::newRow("constants as the dictionary quotes them") << misquoted.join(' ') << "";

    QTest::newRow("path at the root") << dictionary::dictionaryPath(QStringLiteral("/")) << "/physicsdicionary2.txt";

    // Windows-1252: one character a byte both ways, Latin-1 but for 0x80-0x9F.
    QByteArray all(256, 0);
    std::iota(all.begin(), all.end(), 0);
    const QString text = CodePage::toText(all);
    const auto latin1 = [](const QByteArray &bytes) { return QString::fromLatin1(bytes); };
    QTest::newRow("code page both ways") << latin1(CodePage::toBytes(text).toHex()) << latin1(all.toHex());
    QTest::newRow("code page, Latin-1") << text.left(0x80) + text.mid(0xA0) << latin1(all.left(0x80) + all.mid(0xA0));
    QTest::newRow("code page, 0x80-0x9F") << text.mid(0x80, 2) + text.at(0x9F) << QStringLiteral("\u20ac\u0081\u0178");
    QTest::newRow("code page lacks lambda") << latin1(CodePage::toBytes(QStringLiteral("\u03bb"))) << "?";

    QTest::newRow("sent") << chat::FormatNameMessage("A|B") + chat::FormatTextMessage("a|b") << "name|A|Btext|a|b";
    using Pairs = std::initializer_list<std::pair<const char *, const char *>>;
    const Pairs messages{{"cons|Ann|Bob|", "people: Ann,Bob"},
                         {"cons|Ann|Bob", "people: Ann"},
                         {"cons|Ann", "people: "},
                         {"text|Ann|hello", "Ann says hello"},
                         {"text|Ann|a|b", "Ann says a"},
                         {"Cons|Ann|", "ignored"},
                         {"", "error 9"},
                         {"text", "error 9"},
                         {"text|Ann", "error 9"}};
    const Pairs notes{
        {"2,5", R"(Read as 2 — ",5" was not read (use "." for decimals))"},
        {"9.81 m/s^2", R"(Read as 9.81 — "m/s^2" was not read (type the number alone, without a unit))"},
        {"6.626 070 15 x 10^-34", R"(Read as 6.62607015 — "x 10^-34" was not read (write 6.62607015E-34))"},
        {"&HZ", R"(Read as 0 — "&HZ" was not read (no number at the start))"},
        {"1 000&H1", R"(Read as 1000 — "&H1" was not read)"},
        {"-1.5e300 xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx!",
         R"(Read as -1.5E+300 — "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…" was not read (type the number alone, without a unit))"},
        {"  7.5 ", ""},
        {"&H1F", ""}};
    for (const auto &[typed, expected] : notes)
        QTest::addRow("note [%s]", typed) << readingNote(QString::fromUtf8(typed)) << QString::fromUtf8(expected);
    QTest::newRow("note on a result read back with a decimal comma")
        << readingNote(NumericText::format(29.43, {",", "."}))
        << R"(Read as 29 — ",43" was not read (use "." for decimals))";
    for (const auto &[received, expected] : messages)
        QTest::addRow("message [%s]", received)
            << outcome([received = received] { return message(QString::fromLatin1(received)); }) << expected;
}

QTEST_GUILESS_MAIN(LogicTest)
#include "tst_logic.moc"
