// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Live Help server: names and lines as it reads them; every way a client
// is cut off, after which the others go on; and the livehelpd program itself.

#include "livehelpd/ChatServer.h"
#include "livehelpd/Protocol.h"
#include "support/TestPeer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace livehelpd;
using Reason = ChatServer::Reason;
using ByteList = QList<QByteArray>;
#pragma GCC diagnostic ignored "-Wmissing-field-initializers" // rows give only what differs from the defaults

namespace {

// How Flo, a third client beside Ann and Bob, is cut off. how: burst: chunk `times` at once; turns: each read
// alone; feed: Ann and Bob send it to Flo, which does not read; reset: chunk, then RST; break: the connection breaks.
struct Flo {
    Settings settings;
    QByteArray name, chunk, how; // name: its name message, if any
    int times = 0;
    Reason reason = Reason::Left;
    QByteArray logged, relayed; // the end of its disconnect line; of its lines, what Ann and Bob got
};

// Sends a chunk and waits until the server has read it (or cut someone off), so the next is read alone.
bool sendRead(ChatServer &server, TestPeer &peer, const QByteArray &chunk, const QSignalSpy *cutOff = nullptr)
{
    const qint64 before = server.bytesReceived();
    peer.send(chunk);
    return waitUntil([&] { return server.bytesReceived() >= before + chunk.size() || (cutOff && !cutOff->isEmpty()); });
}

} // namespace
Q_DECLARE_METATYPE(Flo)

class LiveHelpServerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void protocol_data();
    void protocol();
    void cutOff_data();
    void cutOff();
    void messages_data();
    void messages();
    void program_data();
    void program();
    void vanishedClient();
};

void LiveHelpServerTest::protocol_data()
{
    QTest::addColumn<ByteList>("talk"); // a name message, the name as lists show it, a chunk, what others get of it
    QByteArray all(256, 0), nuls("text|a\0b\0", 9);
    const QByteArray badName("name|a\0b\tc\r\nd\x7f", 14), jose = "Jos\xe9 \x80\xff";
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    auto row = [](const char *name, const ByteList &talk) { QTest::newRow(name) << talk; };
    row("name without prefix, empty line", {"Ann", "Ann", "text|", "text|Ann|"});
    row("prefix only, separators in the line", {"name|", "", "text|a|b||c", "text||a|b||c"});
    row("prefix in capitals, kind in capitals", {"Name|Ann", "Name_Ann", "TEXT|hi", ""});
    row("separators in the name, kind alone", {"name|Ann|Bob|", "Ann_Bob_", "text", ""});
    row("control bytes in the name, NULs in the line", {badName, "a_b_c__d_", nuls, "text|a_b_c__d_|" + nuls.mid(5)});
    row("code-page bytes kept", {"name|" + jose, jose, "text|\x80\xff", "text|" + jose + "|\x80\xff"});
    row("name cut to 64 bytes, a list", {"name|" + QByteArray(100, 'a'), QByteArray(64, 'a'), "cons|Eve|", ""});
    row("every byte value as name, a second name", {all, QByteArray(32, '_') + all.mid(32, 32), "name|Eve", ""});
}

void LiveHelpServerTest::protocol()
{
    QFETCH(ByteList, talk);
    using namespace livehelpd::protocol;
    QCOMPARE(sanitiseName(nameFromChunk(talk[0]), Settings().maxNameBytes), talk[1]);
    QByteArrayView line;
    QCOMPARE(lineFromChunk(talk[2], &line) ? chatLineMessage(talk[1], line) : QByteArray(), talk[3]);
    QCOMPARE(userListMessage({talk[1], "Wit"}), "cons|" + talk[1] + "|Wit|");
}

void LiveHelpServerTest::cutOff_data()
{
    QTest::addColumn<Flo>("flo");
    using enum ChatServer::Reason;
    const QByteArray flo = "name|Flo", floCut = "\"Flo\": cut off: ", noNameCut = "(no name): cut off: ";
    const QByteArray flooding = floCut + "lines faster than they can be passed on (more than ";
    auto row = [](const char *name, const Flo &how) { QTest::newRow(name) << how; };
    // clang-format off
    row("reset before its name", {{}, "", "", "reset", 0, SocketError, "(no name): connection lost (reset by the client)"});
    row("reset in a line: its last words go out", {{}, flo, "text|half a li",
        "reset", 1, SocketError, "\"Flo\": connection lost (reset by the client)", "text|Flo|half a li"});
    row("connection broke", {{}, flo, "", "break", 0, SocketError, "\"Flo\": connection lost (Unknown error)"});
    row("server full", {{.maxClients = 2}, "", "", "", 0, ServerFull, noNameCut + "server full (2 clients)"});
    // Ann and Bob name themselves at once, their names whole as soon as read: well within the time on any machine.
    row("no name in time", {{.nameTimeoutMs = 1500, .pieceTimeoutMs = 0}, "", "", "", 0, NoName,
        noNameCut + "no name within 1500 ms"});
    row("too many from one address", {{.maxPerAddress = 2}, "", "", "", 0, TooManyFromAddress,
        noNameCut + "too many connections from its address (2)"});
    // Read a chunk at a time: the rest of one message, passed on to nobody past the longest message, and so bounded.
    row("50 MB in one burst, a name in its code page",
        {{}, "name|Jos\xe9 \"J\" \\", "text|" + QByteArray(50 << 20, 'x'),
        "burst", 1, NoMessages, "\"Jos\\xe9 \\x22J\\x22 \\x5c\": cut off: more than 10485760 bytes without a message"});
    row("junk in small chunks", {{.gapMs = 0, .maxBytesWithoutMessage = 65536}, flo, QByteArray(4096, 'y'),
        "turns", 100, NoMessages, floCut + "more than 65536 bytes without a message"});
    row("too many lines a second", {{.gapMs = 0, .maxChunksPerSecond = 20}, flo, "text|spam",
        "turns", 200, TooFast, floCut + "more than 20 messages a second"});
    // Lines pile up behind the gap; once their sender is cut off they no longer count.
    row("lines past the byte bound", {{.maxQueuedBytes = 200}, flo, "text|x",
        "turns", 1000, Flooding, flooding + "1000 messages or 200 bytes waiting for a reader)"});
    row("lines past the message bound", {{.maxQueuedMessages = 20}, flo, "text|x",
        "turns", 1000, Flooding, flooding + "20 messages or 1048576 bytes waiting for a reader)"});
    // About 1 MB waits for it, and little more in the system: a small send buffer per client.
    row("not reading", {{.gapMs = 0}, flo, "text|" + QByteArray(8000, 'z'),
        "feed", 400, NotReading, floCut + "not reading (more than 1000 messages or 1048576 bytes waiting)"});
    // clang-format on
}

void LiveHelpServerTest::cutOff()
{
    QFETCH(Flo, flo);
    ChatServer server(flo.settings);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    TestPeer ann(server.serverPort()), bob(server.serverPort());
    QVERIFY(sendRead(server, ann, "name|Ann") && sendRead(server, bob, "name|Bob"));
    QVERIFY(waitUntil([&] { return server.names().size() == 2; })); // a name is whole once no more of it comes
    QSignalSpy gone(&server, &ChatServer::clientDisconnected), log(&server, &ChatServer::logLine);
    TestPeer peer(server.serverPort(), flo.how != "feed");
    QVERIFY(waitUntil([&] { return (peer.connected() && server.clientCount() == 3) || !gone.isEmpty(); }));
    QVERIFY(flo.name.isEmpty()
            || (sendRead(server, peer, flo.name) && waitUntil([&] { return server.names().size() == 3; })));
    const qint64 readBefore = server.bytesReceived();
    for (int i = 0; i < flo.times && gone.isEmpty(); ++i) {
        if (flo.how == "burst" || flo.how == "reset")
            peer.send(flo.chunk);
        else
            QVERIFY(sendRead(server, flo.how == "feed" ? (i % 2 ? bob : ann) : peer, flo.chunk, &gone));
    }
    if (flo.how == "reset")
        peer.reset();
    // Loopback connections seldom break: Flo's socket in the server says that it did.
    for (QTcpSocket *socket : server.findChildren<QTcpSocket *>())
        if (flo.how == "break" && socket->peerPort() == peer.socket->localPort())
            Q_EMIT socket->errorOccurred(QAbstractSocket::NetworkError);
    QTRY_COMPARE_WITH_TIMEOUT(gone.size(), 1, WaitMs);
    const qsizetype heardBefore = bob.received.size();
    QCOMPARE(gone.at(0).at(0).value<Reason>(), flo.reason);
    const QByteArray line = log.last().at(0).toString().toLatin1();
    QVERIFY2(line.startsWith("disconnect 127.0.0.1:") && line.endsWith(' ' + flo.logged + "; 2 online"),
             line.constData());
    // Told why first, where it reads (a burst still unread when it is cut off may end in a reset instead).
    if (const QString why = server.farewell(flo.reason); !why.isEmpty() && flo.how != "burst")
        QTRY_VERIFY_WITH_TIMEOUT(peer.received.endsWith("text|Server|" + why.toLatin1()), WaitMs);
    QVERIFY(server.bytesReceived() - readBefore <= qint64(flo.times) * flo.chunk.size());
    QTRY_VERIFY_WITH_TIMEOUT((flo.how == "feed" || !peer.connected()) && ann.received.contains(flo.relayed)
                                 && bob.received.contains(flo.relayed),
                             WaitMs);

    // The others go on: the list without Flo (the last: lists behind lines leave as one; no "t" in names), lines too.
    const auto listed = [](const QByteArray &in) { return in.mid(in.lastIndexOf("cons|")).split('t').constFirst(); };
    QTRY_VERIFY_WITH_TIMEOUT(listed(ann.received) == "cons|Ann|Bob|" && listed(bob.received) == "cons|Ann|Bob|",
                             WaitMs);
    QVERIFY(sendRead(server, ann, "text|still here") && sendRead(server, bob, "text|me too"));
    QTRY_VERIFY_WITH_TIMEOUT(bob.received.endsWith("text|Ann|still here") && ann.received.endsWith("text|Bob|me too"),
                             WaitMs);
    QVERIFY(bob.received.mid(heardBefore).count("text|Flo|") <= 1); // what waited is dropped; one was on its way
    QVERIFY(server.names() == ByteList({"Ann", "Bob"}) && server.clientCount() == 2);
    bob.socket->disconnectFromHost(); // and whoever leaves next is gone from the list too
    QTRY_VERIFY_WITH_TIMEOUT(ann.received.endsWith("cons|Ann|") && server.clientCount() == 1, WaitMs);
}

// Bob joins beside Ann and writes a message in pieces, 20 ms apart: what Ann gets of it, what Bob is told. Then he
// is still there: his next line reaches Ann. The pieces may take a second to come, as on a loaded machine.
void LiveHelpServerTest::messages_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("seenAs");
    QTest::addColumn<ByteList>("pieces");
    QTest::addColumn<QByteArray>("annGets");
    QTest::addColumn<QByteArray>("bobTold");
    const QByteArray long20k(20000, 'l'), long70k(70000, 'm');
    auto row = [](const char *title, const char *name, const char *seenAs, const ByteList &pieces,
                  const QByteArray &annGets, const QByteArray &bobTold = {}) {
        QTest::newRow(title) << QByteArray(name) << QByteArray(seenAs) << pieces << annGets << bobTold;
    };
    row("two pieces", "name|Bob", "Bob", {"text|hello, ", "world"}, "text|Bob|hello, world");
    row("three pieces, a name in two", "name|B", "Bob", {"ob", "text|a", "b|", "c"}, "text|Bob|ab|c");
    row("20,000 bytes", "name|Bob", "Bob", {"text|" + long20k}, "text|Bob|" + long20k);
    row("70,000 bytes: not passed on", "name|Bob", "Bob", {"text|" + long70k.left(40000), long70k.mid(40000)}, "",
        "text|Server|Your last line was not passed on: with your name it is longer than 65536 bytes");
    row("a second Ann", "name|Ann", "Ann (2)", {"text|hi"}, "text|Ann (2)|hi");
    row("the server's name", "Server", "Server (2)", {"text|hi"}, "text|Server (2)|hi");
}

void LiveHelpServerTest::messages()
{
    QFETCH(QByteArray, name);
    QFETCH(ByteList, pieces);
    QFETCH(QByteArray, seenAs);
    ChatServer server({.pieceTimeoutMs = 1000, .logMessages = true});
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QSignalSpy log(&server, &ChatServer::logLine);
    TestPeer ann(server.serverPort()), bob(server.serverPort());
    QVERIFY(sendRead(server, ann, "name|Ann") && waitUntil([&] { return server.names().size() == 1; }));
    for (const QByteArray &piece : ByteList{name} + pieces) {
        QVERIFY(sendRead(server, bob, piece));
        QTest::qWait(20);
    }
    QFETCH(QByteArray, annGets);
    QFETCH(QByteArray, bobTold);
    QVERIFY(
        waitUntil([&] { return annGets.isEmpty() ? bob.received.contains(bobTold) : ann.received.endsWith(annGets); }));
    QVERIFY(ann.received.contains("cons|Ann|" + seenAs + "|") && !ann.received.contains("text|" + seenAs + "|m"));
    QVERIFY(sendRead(server, bob, "text|still here"));
    QVERIFY(waitUntil([&] { return ann.received.endsWith("text|" + seenAs + "|still here"); }));
    QStringList lines; // a join with the people online; each relayed line
    for (const QList<QVariant> &signal : log)
        lines << signal.at(0).toString();
    const QString quoted = '"' + QString::fromLatin1(seenAs) + '"';
    QCOMPARE(
        lines.filter(QRegularExpression("^join 127.0.0.1:\\d+ " + QRegularExpression::escape(quoted) + "; 2 online$"))
            .size(),
        1);
    QVERIFY2(lines.last().endsWith(quoted + ": \"still here\""), qPrintable(lines.last()));
    bob.socket->disconnectFromHost(); // a close, unlike a reset, is leaving
    QVERIFY(waitUntil([&] { return log.last().at(0).toString().endsWith(quoted + ": left; 1 online"); }));
}

void LiveHelpServerTest::program_data()
{
    QTest::addColumn<QStringList>("arguments"); // PORT: a free port; held busy when the program is to fail with 1
    QTest::addColumn<ByteList>("said");         // with the port given, a client connects once the program listens
    QTest::addColumn<int>("exitCode");          // -1: runs on until SIGTERM (at a "stopped" text, else at the end)
    auto row = [](const char *name, const QStringList &args, const ByteList &said, int code) {
        QTest::newRow(name) << args << said << code;
    };
    row("port not a number", {"--port", "nope"},
        {"livehelpd: --port must be a whole number from 0 to 65535, not \"nope\""}, 2);
    row("no clients allowed", {"--max-clients", "0"}, {"--max-clients must be a whole number from 1 to 100000"}, 2);
    row("unresolvable host name", {"--listen", "nowhere.invalid"},
        {"livehelpd: --listen: cannot resolve \"nowhere.invalid\": "}, 2);
    row("version", {"--version"}, {"livehelpd " LIVEHELPD_VERSION "\n"}, 0);
    row("help", {"--help"}, {"--listen any", "(default: 8765)", "(default: 10485760)"}, 0);
    row("unknown option", {"--colour"}, {"livehelpd: Unknown option 'colour'."}, 2);
    row("unexpected argument", {"extra"}, {"livehelpd: unexpected argument \"extra\""}, 2);
    row("port in use", {"--port", "PORT"}, {"livehelpd: cannot listen on 127.0.0.1:PORT: "}, 1);
    row("highest values", {"--port", "65535", "--max-bytes-without-message", "1099511627776", "--log-messages"},
        {"livehelpd: cannot listen on 127.0.0.1:65535: "}, 1);
    row("defaults", {"--port", "0"},
        {"livehelpd: listening on 127.0.0.1:", "(gap 50 ms, at most 256 clients, name within 30000 ms)\n"}, -1);
    row("least values",
        {"--port", "0", "--listen", "LocalHost", "--gap-ms", "0", "--max-clients", "1", "--name-timeout-ms", "0"},
        {"(gap 0 ms, at most 1 clients, no time limit for the name)\n"}, -1);
    row("a client without a name in time", {"--port", "PORT", "--name-timeout-ms", "300"},
        {"Z connect 127.0.0.1:", " (no name): cut off: no name within 300 ms; 0 online\n"}, -1);
    row("any address, IPv4 and IPv6", {"--port", "PORT", "--listen", "any"},
        {"listening on *:PORT (", " connect [::1]:", " connect 127.0.0.1:"}, -1);
    row("several addresses, then SIGTERM",
        {"--port", "PORT", "--listen", "localhost", "--listen", "::1", "--listen", "127.0.0.1"},
        {"listening on 127.0.0.1:PORT, [::1]:PORT (", " connect 127.0.0.1:", "Z stopped (1 clients connected)\n"}, -1);
}

void LiveHelpServerTest::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(ByteList, said);
    QFETCH(int, exitCode);
    QTcpServer held;
    QVERIFY(held.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(held.serverPort());
    held.close();
    arguments.replaceInStrings(QStringLiteral("PORT"), port);
    if (exitCode == 1) // by this test, or else by another program
        held.listen(QHostAddress::LocalHost,
                    arguments.value(arguments.indexOf(QStringLiteral("--port")) + 1).toUShort());
    QProcess process;
    QByteArray log;
    process.setProcessChannelMode(QProcess::MergedChannels); // --help and --version print to stdout
    const auto logged = [&] { return log += process.readAll(); };
    process.start(QStringLiteral(LIVEHELPD_PROGRAM), arguments);
    QTcpSocket client, client6;
    if (exitCode < 0 && arguments.contains(port)) {
        QVERIFY(waitUntil([&] { return logged().contains("listening on"); }));
        client.connectToHost(QHostAddress::LocalHost, port.toUShort());
        if (arguments.contains(QStringLiteral("any")))
            client6.connectToHost(QHostAddress::LocalHostIPv6, port.toUShort());
    }
    for (QByteArray text : said) {
        if (text.contains("stopped ("))
            process.terminate();
        const bool found = waitUntil([&] { return logged().contains(text.replace("PORT", port.toLatin1())); });
        QVERIFY2(found, (text + " not in:\n" + log).constData());
    }
    if (exitCode < 0 && process.state() == QProcess::Running)
        process.terminate();
    QTRY_VERIFY_WITH_TIMEOUT(process.state() == QProcess::NotRunning, WaitMs);
    const QByteArray lastLine = logged().trimmed().split('\n').constLast();
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == std::max(exitCode, 0),
             log.constData());
    QVERIFY2(exitCode >= 0 || lastLine.contains("Z stopped ("), log.constData());
}

// A client whose network vanishes (no FIN, no reset) leaves the list: in a network namespace of the test's own,
// loopback goes down under a named client, and keep-alive, shortened, notices.
void LiveHelpServerTest::vanishedClient()
{
    if (QProcess::execute("unshare", {"-rn", "ip", "link", "set", "lo", "up"}) != 0)
        QSKIP("no network namespace of the test's own here (unshare -rn, ip)");
    // Each step waits for the log line before it; all within a minute.
    const QString script = QStringLiteral(R"(ip link set lo up
log=$(mktemp) deadline=$((SECONDS + 60))
"$0" --port 8765 --keepalive-idle 1 --keepalive-interval 1 --keepalive-probes 2 --user-timeout-ms 2000 2>"$log" &
logged() { until grep -q "$1" "$log"; do ((SECONDS < deadline)) || return; sleep 0.1; done; }
logged "listening on" && exec 3<>/dev/tcp/127.0.0.1/8765 && printf 'name|Gone' >&3 \
    && logged '"Gone"; 1 online' && ip link set lo down && logged '"Gone": connection lost'
kill -TERM $!
wait $!
cat "$log" >&2
rm "$log")");
    QProcess shell;
    shell.start("unshare", {"-rn", "bash", "-c", script, QStringLiteral(LIVEHELPD_PROGRAM)});
    QVERIFY(shell.waitForFinished(2 * WaitMs));
    const QByteArray log = shell.readAllStandardError();
    QVERIFY2(log.contains(" \"Gone\": connection lost") && log.contains("stopped (0 clients connected)"),
             log.constData());
}

QTEST_GUILESS_MAIN(LiveHelpServerTest)
#include "tst_livehelpd.moc"
