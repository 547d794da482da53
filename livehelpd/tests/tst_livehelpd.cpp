// The Live Help server: names and people-online lists, relaying, pacing,
// clients that send too much, too fast, never read, reset their connection
// or never name themselves, garbage on the wire, the log, and the livehelpd
// program itself.

#include "livehelpd/ChatServer.h"
#include "livehelpd/Protocol.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <sys/socket.h>
#include <vector>

using livehelpd::ChatServer;
using livehelpd::Settings;
using Reason = ChatServer::Reason;
using ByteList = QList<QByteArray>;

namespace {

constexpr int WaitMs = 5000;

// A client as the chat window is one: whatever one read brings is one
// message. A peer that does not read takes one byte and leaves everything
// else in the kernel.
class Peer : public QObject
{
public:
    struct Arrival {
        QByteArray chunk;
        qint64 atNs = 0;
    };

    explicit Peer(quint16 port, bool reads = true) : reading(reads)
    {
        clock.start();
        if (reading) {
            connect(&socket, &QTcpSocket::readyRead, this,
                    [this] { arrivals.push_back({socket.readAll(), clock.nsecsElapsed()}); });
        } else {
            socket.setReadBufferSize(1);
        }
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    bool connected() const { return socket.state() == QAbstractSocket::ConnectedState; }
    bool gone() const { return socket.state() == QAbstractSocket::UnconnectedState; }

    ByteList chunks() const
    {
        ByteList all;
        for (const Arrival &arrival : arrivals)
            all.append(arrival.chunk);
        return all;
    }
    qsizetype lines() const
    {
        return std::count_if(arrivals.begin(), arrivals.end(),
                             [](const Arrival &arrival) { return arrival.chunk.startsWith("text|"); });
    }
    QByteArray last() const { return arrivals.empty() ? QByteArray() : arrivals.back().chunk; }
    // Everything received, in order, whatever the reads were.
    QByteArray stream() const
    {
        QByteArray all;
        for (const Arrival &arrival : arrivals)
            all += arrival.chunk;
        return all;
    }
    qsizetype count() const { return qsizetype(arrivals.size()); }

    const bool reading;
    QTcpSocket socket;
    QElapsedTimer clock;
    std::vector<Arrival> arrivals;
};

// The last people-online list in what a peer received. Without a gap two
// messages may share a read, so this looks at the bytes, not at the reads;
// it relies on no line holding "cons|" or "text|".
QByteArray lastList(const Peer &peer)
{
    const QByteArray stream = peer.stream();
    const qsizetype from = stream.lastIndexOf("cons|");
    if (from < 0)
        return QByteArray();
    const qsizetype to = stream.indexOf("text|", from);
    return stream.mid(from, to < 0 ? -1 : to - from);
}

// As QTest::qWaitFor, but looking again right after the events and then
// sleeping a millisecond rather than ten, so that a loop of sendRead goes
// about as fast as the server reads.
bool waitFor(const std::function<bool()> &condition, int ms = WaitMs)
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (condition())
            return true;
        QThread::msleep(1);
    }
}

// Sends a chunk and waits until the server has read all of it (or, with a
// spy, has cut someone off), so that the next chunk is read on its own.
bool sendRead(ChatServer &server, Peer &peer, const QByteArray &chunk, const QSignalSpy *cutOff = nullptr)
{
    const qint64 before = server.bytesReceived();
    peer.send(chunk);
    return waitFor([&] {
        return server.bytesReceived() >= before + chunk.size() || (cutOff && !cutOff->isEmpty());
    });
}

// Connects, sends the name message and waits until the server has taken it.
bool join(ChatServer &server, Peer &peer, const QByteArray &nameMessage)
{
    const qsizetype before = server.names().size();
    if (!waitFor([&] { return peer.connected(); }))
        return false;
    peer.send(nameMessage);
    return waitFor([&] { return server.names().size() == before + 1; });
}

// Joins peers one after another, each once every reading peer before it has
// read the list that names it: no two of these lists share a read, even
// without a gap.
bool joinInTurn(ChatServer &server, const std::vector<Peer *> &peers, const ByteList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!join(server, *peers[std::size_t(i)], "name|" + names[i]))
            return false;
        const QByteArray list = livehelpd::protocol::userListMessage(names.first(i + 1));
        for (qsizetype j = 0; j <= i; ++j) {
            const Peer &peer = *peers[std::size_t(j)];
            if (peer.reading && !waitFor([&] { return peer.last() == list; }))
                return false;
        }
    }
    return true;
}

Settings withGap(int gapMs)
{
    Settings settings;
    settings.gapMs = gapMs;
    return settings;
}

bool cleanName(const QByteArray &name)
{
    if (name.size() > Settings().maxNameBytes)
        return false;
    for (const char byte : name) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '|' || code < 0x20 || code == 0x7F)
            return false;
    }
    return true;
}

QByteArray randomBytes(std::mt19937 &random, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random());
    return bytes;
}

// Ends a connection with RST rather than FIN: a zero linger time makes the
// close throw away whatever was not sent.
void resetConnection(Peer &peer)
{
    const linger hard{1, 0};
    ::setsockopt(int(peer.socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    peer.socket.abort();
}

// Ann and Bob, named and reading, after someone else was cut off or left:
// they see the list of the two of them and each other's lines.
void othersGoOn(ChatServer &server, Peer &ann, Peer &bob)
{
    QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|Bob|"));
    QTRY_COMPARE(lastList(bob), QByteArray("cons|Ann|Bob|"));
    QVERIFY(sendRead(server, ann, "text|still here"));
    QTRY_VERIFY(bob.stream().endsWith("text|Ann|still here"));
    QVERIFY(sendRead(server, bob, "text|me too"));
    QTRY_VERIFY(ann.stream().endsWith("text|Bob|me too"));
    QCOMPARE(server.names(), ByteList({"Ann", "Bob"}));
    QCOMPARE(server.clientCount(), 2);
}

// The server's own account of the most that waited for or from any one
// client stays within its bounds.
void withinBounds(const ChatServer &server)
{
    const Settings &limits = server.settings();
    const ChatServer::Backlog &peak = server.peakBacklog();
    qInfo("most held for one client: a read of %lld bytes; %lld lines, %lld bytes waiting",
          peak.chunkBytes, qint64(peak.queuedMessages), peak.queuedBytes);
    QVERIFY(peak.chunkBytes <= limits.maxChunkBytes + 1);
    QVERIFY(peak.queuedMessages <= limits.maxQueuedMessages);
    QVERIFY(peak.queuedBytes <= limits.maxQueuedBytes);
}

// A port nobody listens on, for the program to take.
quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// A line of /proc/<pid>/status, in kB.
qint64 statusKb(qint64 pid, const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').constFirst().toLongLong();
    }
    return -1;
}

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int value = 0; value < 256; ++value)
        bytes.append(char(value));
    return bytes;
}

} // namespace

class LiveHelpServerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
    void joinAndLeave_data();
    void joinAndLeave();
    void relay_data();
    void relay();
    void pacing();
    void floods_data();
    void floods();
    void nonReader();
    void resets_data();
    void resets();
    void clientLimit();
    void nameTimeout();
    void garbage_data();
    void garbage();
    void logLines_data();
    void logLines();
    void program();
    void programUnderAttack();
    void programOptions_data();
    void programOptions();
};

void LiveHelpServerTest::names_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QByteArray>("name");

    auto row = [](const char *name, const QByteArray &chunk, const QByteArray &expected) {
        QTest::newRow(name) << chunk << expected;
    };
    row("plain", "name|Ann", "Ann");
    row("prefix missing", "Ann", "Ann");
    row("prefix only", "name|", "");
    row("prefix in other case", "Name|Ann", "Name_Ann");
    row("separator inside", "name|Ann|Bob|", "Ann_Bob_");
    row("control bytes", QByteArray("name|a\0b\tc\r\nd\x7f", 14), "a_b_c__d_");
    row("Windows-1252 bytes kept", "name|Jos\xe9 \x80\x81\x9f\xa0\xff", "Jos\xe9 \x80\x81\x9f\xa0\xff");
    row("cut to 64 bytes", "name|" + QByteArray(100, 'a'), QByteArray(64, 'a'));
}

void LiveHelpServerTest::names()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QByteArray, name);
    namespace protocol = livehelpd::protocol;
    QCOMPARE(protocol::sanitiseName(protocol::nameFromChunk(chunk), Settings().maxNameBytes), name);
}

void LiveHelpServerTest::joinAndLeave_data()
{
    QTest::addColumn<int>("gap");
    QTest::newRow("no gap") << 0;
    QTest::newRow("gap 50 ms") << 50;
}

void LiveHelpServerTest::joinAndLeave()
{
    QFETCH(int, gap);
    ChatServer server(withGap(gap));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const quint16 port = server.serverPort();

    // Connected but never named: not online, and told nothing.
    Peer silent(port);
    QTRY_VERIFY(silent.connected());

    Peer ann(port);
    QVERIFY(join(server, ann, "name|Ann"));
    QTRY_COMPARE(ann.chunks(), ByteList({"cons|Ann|"}));

    Peer bob(port);
    QVERIFY(join(server, bob, "name|Bob"));
    QTRY_COMPARE(ann.chunks(), ByteList({"cons|Ann|", "cons|Ann|Bob|"}));
    QTRY_COMPARE(bob.chunks(), ByteList({"cons|Ann|Bob|"}));

    Peer cy(port);
    QVERIFY(join(server, cy, "name|Cy"));
    QTRY_COMPARE(ann.chunks(), ByteList({"cons|Ann|", "cons|Ann|Bob|", "cons|Ann|Bob|Cy|"}));
    QTRY_COMPARE(bob.chunks(), ByteList({"cons|Ann|Bob|", "cons|Ann|Bob|Cy|"}));
    QTRY_COMPARE(cy.chunks(), ByteList({"cons|Ann|Bob|Cy|"}));

    bob.socket.disconnectFromHost();
    QTRY_COMPARE(ann.chunks(), ByteList({"cons|Ann|", "cons|Ann|Bob|", "cons|Ann|Bob|Cy|", "cons|Ann|Cy|"}));
    QTRY_COMPARE(cy.chunks(), ByteList({"cons|Ann|Bob|Cy|", "cons|Ann|Cy|"}));

    ann.socket.disconnectFromHost();
    QTRY_COMPARE(cy.chunks(), ByteList({"cons|Ann|Bob|Cy|", "cons|Ann|Cy|", "cons|Cy|"}));

    cy.socket.disconnectFromHost();
    QTRY_VERIFY(server.names().isEmpty());
    QTRY_COMPARE(server.clientCount(), 1);

    // Nobody got anything more, in particular not the list of nobody.
    QCOMPARE(ann.count(), 4);
    QCOMPARE(bob.count(), 2);
    QCOMPARE(cy.count(), 3);
    QVERIFY(silent.arrivals.empty());
}

void LiveHelpServerTest::relay_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("relayed"); // empty: nothing reaches the others

    auto row = [](const char *name, const QByteArray &sent, const QByteArray &relayed) {
        QTest::newRow(name) << sent << relayed;
    };
    row("plain line", "text|hello there", "text|Ann|hello there");
    row("empty line", "text|", "text|Ann|");
    row("line with separators", "text|a|b||c", "text|Ann|a|b||c");
    row("Windows-1252 bytes", "text|caf\xe9 \x80\x9f\xff", "text|Ann|caf\xe9 \x80\x9f\xff");
    row("NUL bytes", QByteArray("text|a\0b\0", 9), QByteArray("text|Ann|a\0b\0", 13));
    row("line at the size limit", "text|" + QByteArray(8187, 'L'), "text|Ann|" + QByteArray(8187, 'L'));
    row("kind in capitals", "TEXT|hi", "");
    row("kind without separator", "text", "");
    row("list sent by a client", "cons|Eve|", "");
    row("second name message", "name|Eve", "");
    row("no kind at all", "hello", "");
}

void LiveHelpServerTest::relay()
{
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, relayed);
    ChatServer server(withGap(0));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    Peer ann(server.serverPort()), bob(server.serverPort()), cy(server.serverPort());
    QVERIFY(joinInTurn(server, {&ann, &bob, &cy}, {"Ann", "Bob", "Cy"}));
    const qsizetype annBefore = ann.stream().size(), bobBefore = bob.stream().size(),
                    cyBefore = cy.stream().size();

    // Each chunk is read before the next one is sent, so the order of what
    // arrives is fixed; whatever Ann's chunk makes comes before the marks.
    // Without a gap messages may share a read: the bytes are compared.
    QVERIFY(sendRead(server, ann, sent));
    QVERIFY(sendRead(server, bob, "text|mark"));
    QVERIFY(sendRead(server, cy, "text|end"));

    QTRY_COMPARE(ann.stream().mid(annBefore), QByteArray("text|Bob|marktext|Cy|end"));
    QTRY_COMPARE(bob.stream().mid(bobBefore), relayed + "text|Cy|end");
    QTRY_COMPARE(cy.stream().mid(cyBefore), relayed + "text|Bob|mark");
    QCOMPARE(server.names(), ByteList({"Ann", "Bob", "Cy"}));
}

void LiveHelpServerTest::pacing()
{
    constexpr int Gap = 50;
    constexpr qint64 LeastNs = 45'000'000;
    ChatServer server(withGap(Gap));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));

    std::vector<std::unique_ptr<Peer>> peers;
    ByteList order;
    QSet<QByteArray> possible;
    for (const QByteArray name : {"Rex", "S1", "S2", "S3", "S4", "S5"}) {
        order.append(name);
        possible.insert(livehelpd::protocol::userListMessage(order));
        peers.push_back(std::make_unique<Peer>(server.serverPort()));
        QVERIFY(join(server, *peers.back(), "name|" + name));
    }
    const QByteArray everyone = livehelpd::protocol::userListMessage(order);
    for (const auto &peer : peers)
        QTRY_COMPARE(peer->last(), everyone);

    // Five lines at once, each from its own client: they pile up in every
    // queue and must still leave one by one.
    for (std::size_t i = 1; i < peers.size(); ++i) {
        const QByteArray line = "line " + QByteArray::number(qulonglong(i));
        possible.insert("text|" + order[qsizetype(i)] + '|' + line);
        peers[i]->send("text|" + line);
    }
    QTRY_COMPARE_WITH_TIMEOUT(peers[0]->lines(), 5, WaitMs);
    for (std::size_t i = 1; i < peers.size(); ++i)
        QTRY_COMPARE_WITH_TIMEOUT(peers[i]->lines(), 4, WaitMs);

    for (const auto &peer : peers) {
        const auto &arrivals = peer->arrivals;
        for (std::size_t i = 0; i < arrivals.size(); ++i) {
            QVERIFY2(possible.contains(arrivals[i].chunk),
                     ("not exactly one message: " + arrivals[i].chunk.left(200).toPercentEncoding()).constData());
            if (i > 0) {
                const qint64 apart = arrivals[i].atNs - arrivals[i - 1].atNs;
                QVERIFY2(apart >= LeastNs, qPrintable(QStringLiteral("messages %1 and %2 only %3 ms apart")
                                                          .arg(i - 1)
                                                          .arg(i)
                                                          .arg(double(apart) / 1e6)));
            }
        }
    }
}

void LiveHelpServerTest::floods_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("times");
    QTest::addColumn<bool>("inTurn"); // each chunk read on its own; else all written at once
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("chunksPerSecond");
    QTest::addColumn<qint64>("bytesWithoutMessage");
    QTest::addColumn<QList<Reason>>("reasons"); // Flo is cut off for one of these

    const Settings defaults;
    auto row = [&](const char *name, const QByteArray &chunk, int times, bool inTurn, int gap, int chunksPerSecond,
                   qint64 bytesWithoutMessage, const QList<Reason> &reasons) {
        QTest::newRow(name) << chunk << times << inTurn << gap << chunksPerSecond << bytesWithoutMessage << reasons;
    };
    std::mt19937 random(20240602);
    // All at once, the server's first read is a full one, one byte too long.
    row("50 MB in one burst", "text|" + QByteArray(50 * 1024 * 1024, 'x'), 1, false, defaults.gapMs,
        defaults.maxChunksPerSecond, defaults.maxBytesWithoutMessage, {Reason::ChunkTooLong});
    row("random bytes in one burst", randomBytes(random, 4 * 1024 * 1024), 1, false, defaults.gapMs,
        defaults.maxChunksPerSecond, defaults.maxBytesWithoutMessage, {Reason::ChunkTooLong});
    row("100,000 tiny lines in one burst", "text|hi", 100000, false, defaults.gapMs, defaults.maxChunksPerSecond,
        defaults.maxBytesWithoutMessage, {Reason::ChunkTooLong});
    row("junk in small chunks", QByteArray(4096, 'y'), 100, true, 0, defaults.maxChunksPerSecond, 64 * 1024,
        {Reason::NoMessages});
    row("lists sent back", "cons|Ann|Bob|", 1000, true, 0, defaults.maxChunksPerSecond, 2 * 1024,
        {Reason::NoMessages});
    row("too many lines a second", "text|spam", 200, true, 0, 20, defaults.maxBytesWithoutMessage,
        {Reason::TooFast});
    // Paced output drains far slower than lines may come in: what piles up
    // for the readers is the flooder's doing, not theirs. On a slow machine
    // the flooder may stay under the rate and meet the queue bound instead.
    row("100,000 tiny lines, each read alone", "text|hi", 100000, true, defaults.gapMs,
        defaults.maxChunksPerSecond, defaults.maxBytesWithoutMessage, {Reason::TooFast, Reason::Flooding});
    row("lines at the size limit, each read alone", "text|" + QByteArray(8187, 'L'), 1000, true, defaults.gapMs,
        defaults.maxChunksPerSecond, defaults.maxBytesWithoutMessage, {Reason::Flooding});
}

void LiveHelpServerTest::floods()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, times);
    QFETCH(bool, inTurn);
    QFETCH(int, gap);
    QFETCH(int, chunksPerSecond);
    QFETCH(qint64, bytesWithoutMessage);
    QFETCH(QList<Reason>, reasons);

    Settings settings = withGap(gap);
    settings.maxChunksPerSecond = chunksPerSecond;
    settings.maxBytesWithoutMessage = bytesWithoutMessage;
    ChatServer server(settings);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QSignalSpy cutOff(&server, &ChatServer::clientDisconnected);
    Peer ann(server.serverPort()), bob(server.serverPort()), flo(server.serverPort());
    QVERIFY(joinInTurn(server, {&ann, &bob, &flo}, {"Ann", "Bob", "Flo"}));

    const qint64 readBefore = server.bytesReceived();
    for (int i = 0; i < times && cutOff.isEmpty(); ++i) {
        if (inTurn)
            QVERIFY(sendRead(server, flo, chunk, &cutOff));
        else
            flo.send(chunk);
    }
    QTRY_COMPARE(cutOff.size(), 1);
    // What came at once, or in one chunk too long, is not read beyond the
    // first byte past the limit: the rest stays in the system.
    if (!inTurn || chunk.size() > settings.maxChunkBytes)
        QCOMPARE(server.bytesReceived() - readBefore, settings.maxChunkBytes + 1);
    QVERIFY2(reasons.contains(cutOff.at(0).at(0).value<Reason>()),
             qPrintable(server.describe(cutOff.at(0).at(0).value<Reason>())));
    QCOMPARE(cutOff.at(0).at(1).toByteArray(), QByteArray("Flo"));
    QTRY_VERIFY(flo.gone());

    othersGoOn(server, ann, bob);
    QCOMPARE(cutOff.size(), 1);
    withinBounds(server);
}

void LiveHelpServerTest::nonReader()
{
    ChatServer server(withGap(0));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QSignalSpy cutOff(&server, &ChatServer::clientDisconnected);
    Peer ann(server.serverPort()), bob(server.serverPort());
    Peer ida(server.serverPort(), false);
    QVERIFY(joinInTurn(server, {&ann, &bob, &ida}, {"Ann", "Bob", "Ida"}));

    // Ann and Bob take turns, each well inside the rate limit, until what
    // waits for Ida passes the queue bound.
    const QByteArray line = "text|" + QByteArray(8000, 'z');
    int sent = 0;
    for (; sent < 2000 && cutOff.isEmpty(); ++sent)
        QVERIFY(sendRead(server, sent % 2 ? bob : ann, line));
    QTRY_COMPARE(cutOff.size(), 1);
    QCOMPARE(cutOff.at(0).at(0).value<Reason>(), Reason::NotReading);
    QCOMPARE(cutOff.at(0).at(1).toByteArray(), QByteArray("Ida"));
    // Bounded: far fewer lines than the 2000 tried were needed.
    QVERIFY2(sent < 1000, qPrintable(QString::number(sent)));

    QCOMPARE(server.names(), ByteList({"Ann", "Bob"}));

    // Every line reached the readers, and after them (or among the last
    // few) the list without Ida.
    QVERIFY(sendRead(server, ann, "text|bye Ida"));
    QTRY_VERIFY(bob.stream().endsWith("text|Ann|bye Ida"));
    QTRY_COMPARE(ann.stream().count("text|Bob|"), sent / 2);
    QCOMPARE(bob.stream().count("text|Ann|"), (sent + 1) / 2 + 1);
    auto toldIdaLeft = [](const Peer &peer) {
        const QByteArray stream = peer.stream();
        return stream.indexOf("cons|Ann|Bob|", stream.lastIndexOf("cons|Ann|Bob|Ida|") + 1) > 0;
    };
    QTRY_VERIFY(toldIdaLeft(ann));
    QTRY_VERIFY(toldIdaLeft(bob));
    withinBounds(server);
}

void LiveHelpServerTest::resets_data()
{
    QTest::addColumn<ByteList>("chunks");       // each read on its own first
    QTest::addColumn<QByteArray>("last");       // written, and at once the reset
    QTest::addColumn<QByteArray>("name");       // as the server knew it
    QTest::addColumn<QByteArray>("relayed");    // what the others got of it
    QTest::addColumn<QList<Reason>>("reasons"); // RST is the remote end closing, or a broken connection

    auto row = [](const char *name, const ByteList &chunks, const QByteArray &last, const QByteArray &known,
                  const QByteArray &relayed, const QList<Reason> &reasons) {
        QTest::newRow(name) << chunks << last << known << relayed << reasons;
    };
    const QList<Reason> broke{Reason::Left, Reason::SocketError};
    row("before its name", {}, "", "", "", broke);
    row("in its name", {}, "name|Fl", "Fl", "", broke);
    row("in a line", {"name|Flo"}, "text|half a li", "Flo", "text|Flo|half a li", broke);
    // What came before the reset is read first, one byte too long.
    row("in a 1 MB line", {"name|Flo"}, "text|" + QByteArray(1024 * 1024, 'x'), "Flo", "",
        {Reason::ChunkTooLong});
}

void LiveHelpServerTest::resets()
{
    QFETCH(ByteList, chunks);
    QFETCH(QByteArray, last);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, relayed);
    QFETCH(QList<Reason>, reasons);

    ChatServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    Peer ann(server.serverPort()), bob(server.serverPort());
    QVERIFY(joinInTurn(server, {&ann, &bob}, {"Ann", "Bob"}));
    QSignalSpy gone(&server, &ChatServer::clientDisconnected);
    Peer flo(server.serverPort());
    QTRY_VERIFY(flo.connected());
    QTRY_COMPARE(server.clientCount(), 3);
    for (const QByteArray &chunk : chunks)
        QVERIFY(sendRead(server, flo, chunk));
    if (!last.isEmpty())
        flo.send(last);
    resetConnection(flo);

    QTRY_COMPARE(gone.size(), 1);
    QVERIFY2(reasons.contains(gone.at(0).at(0).value<Reason>()),
             qPrintable(server.describe(gone.at(0).at(0).value<Reason>())));
    QCOMPARE(gone.at(0).at(1).toByteArray(), name);
    if (!relayed.isEmpty()) {
        QTRY_VERIFY(ann.stream().contains(relayed));
        QTRY_VERIFY(bob.stream().contains(relayed));
    }
    othersGoOn(server, ann, bob);
    QCOMPARE(gone.size(), 1);
    withinBounds(server);
}

void LiveHelpServerTest::clientLimit()
{
    Settings settings = withGap(0);
    settings.maxClients = 3;
    ChatServer server(settings);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const quint16 port = server.serverPort();
    Peer ann(port), bob(port), cy(port);
    QVERIFY(joinInTurn(server, {&ann, &bob, &cy}, {"Ann", "Bob", "Cy"}));

    QSignalSpy cutOff(&server, &ChatServer::clientDisconnected);
    Peer dan(port);
    QTRY_COMPARE(cutOff.size(), 1);
    QCOMPARE(cutOff.at(0).at(0).value<Reason>(), Reason::ServerFull);
    QCOMPARE(cutOff.at(0).at(1).toByteArray(), QByteArray());
    QTRY_VERIFY(dan.gone());
    QVERIFY(dan.arrivals.empty());
    QCOMPARE(server.clientCount(), 3);

    // A place freed is a place taken.
    ann.socket.disconnectFromHost();
    QTRY_COMPARE(server.clientCount(), 2);
    Peer eve(port);
    QVERIFY(join(server, eve, "name|Eve"));
    QTRY_COMPARE(lastList(eve), QByteArray("cons|Bob|Cy|Eve|"));
    QTRY_COMPARE(lastList(bob), QByteArray("cons|Bob|Cy|Eve|"));
    QCOMPARE(cutOff.size(), 2); // Dan, and Ann who left
}

void LiveHelpServerTest::nameTimeout()
{
    Settings settings = withGap(0);
    settings.maxClients = 3;
    settings.nameTimeoutMs = 1000;
    ChatServer server(settings);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const quint16 port = server.serverPort();
    QSignalSpy log(&server, &ChatServer::logLine);
    QSignalSpy gone(&server, &ChatServer::clientDisconnected);
    Peer ann(port);
    QVERIFY(join(server, ann, "name|Ann"));

    // Two that never say their name fill the server...
    Peer sid(port), tim(port);
    QTRY_COMPARE(server.clientCount(), 3);
    Peer dan(port);
    QTRY_COMPARE(gone.size(), 1);
    QCOMPARE(gone.at(0).at(0).value<Reason>(), Reason::ServerFull);

    // ...only until their time is up.
    QTRY_COMPARE(gone.size(), 3);
    for (qsizetype i = 1; i < 3; ++i) {
        QCOMPARE(gone.at(i).at(0).value<Reason>(), Reason::NoName);
        QCOMPARE(gone.at(i).at(1).toByteArray(), QByteArray());
    }
    const QString expected = QStringLiteral(" (no name): cut off: no name within 1000 ms");
    QCOMPARE(std::count_if(log.begin(), log.end(),
                           [&](const QList<QVariant> &line) { return line.at(0).toString().endsWith(expected); }),
             2);
    QTRY_VERIFY(sid.gone() && tim.gone());
    QVERIFY(sid.arrivals.empty() && tim.arrivals.empty());

    // Their places are free; Ann, named in time, stays past hers.
    Peer eve(port);
    QVERIFY(join(server, eve, "name|Eve"));
    QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|Eve|"));
    QCOMPARE(server.names(), ByteList({"Ann", "Eve"}));
    QCOMPARE(gone.size(), 3);
}

void LiveHelpServerTest::garbage_data()
{
    QTest::addColumn<ByteList>("chunks");
    QTest::addColumn<bool>("cutOff");
    QTest::addColumn<QByteArray>("name"); // as the others see it, when cutOff is false

    auto row = [](const char *name, const ByteList &chunks, bool cutOff, const QByteArray &expected) {
        QTest::newRow(name) << chunks << cutOff << expected;
    };
    row("NUL bytes", {QByteArray(50, '\0'), QByteArray("text|\0\0\0", 8), QByteArray(1, '\0')}, false,
        QByteArray(50, '_'));
    row("separators only", {"|||", "|", "||||||", "text||"}, false, "___");
    row("every byte value as name", {allByteValues()}, false,
        QByteArray(32, '_') + allByteValues().mid(32, 32));
    row("every byte value after the name", {"name|Gus", allByteValues(), allByteValues().repeated(30)}, false,
        "Gus");
    row("name at the size limit", {"name|" + QByteArray(8187, 'n')}, false, QByteArray(64, 'n'));
    row("name one byte over the limit", {"name|" + QByteArray(8188, 'n')}, true, "");
    row("huge name", {"name|" + QByteArray(1024 * 1024, 'n')}, true, "");
    row("line over the limit", {"name|Gus", "text|" + QByteArray(9000, 'L')}, true, "");

    std::mt19937 random(20240601);
    ByteList noise;
    for (int i = 0; i < 40; ++i)
        noise.append(randomBytes(random, qsizetype(random() % 6000 + 1)));
    row("random bytes", noise, false, QByteArray());
}

void LiveHelpServerTest::garbage()
{
    QFETCH(ByteList, chunks);
    QFETCH(bool, cutOff);
    QFETCH(QByteArray, name);

    ChatServer server(withGap(0));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QSignalSpy gone(&server, &ChatServer::clientDisconnected);
    Peer gus(server.serverPort());
    QTRY_VERIFY(gus.connected());
    for (const QByteArray &chunk : chunks) {
        if (!gone.isEmpty())
            break;
        QVERIFY(sendRead(server, gus, chunk, &gone));
    }
    if (cutOff)
        QTRY_COMPARE(gone.size(), 1);

    Peer wit(server.serverPort());
    QVERIFY(join(server, wit, "name|Wit"));
    const ByteList online = server.names();
    QTRY_COMPARE(wit.last(), livehelpd::protocol::userListMessage(online));
    if (cutOff) {
        QCOMPARE(online, ByteList({"Wit"}));
        QTRY_VERIFY(gus.gone());
    } else {
        QCOMPARE(gone.size(), 0);
        QCOMPARE(online.size(), 2);
        QVERIFY2(cleanName(online.at(0)), online.at(0).toPercentEncoding().constData());
        if (!name.isEmpty())
            QCOMPARE(online.at(0), name);
        QVERIFY(sendRead(server, gus, "text|hello"));
        QTRY_VERIFY(wit.stream().endsWith("text|" + online.at(0) + "|hello"));
    }
}

void LiveHelpServerTest::logLines_data()
{
    QTest::addColumn<QByteArray>("nameMessage"); // empty: none sent
    QTest::addColumn<QByteArray>("lastChunk");   // empty: the client closes
    QTest::addColumn<QString>("how");

    QTest::newRow("named client leaves") << QByteArray("name|Ann") << QByteArray() << QStringLiteral("\"Ann\": left");
    QTest::newRow("cut off, name in its code page")
        << QByteArray("name|Jos\xe9 \"J\"") << QByteArray(9000, 'x')
        << QStringLiteral("\"Jos\\xe9 \\x22J\\x22\": cut off: message longer than 8192 bytes");
}

void LiveHelpServerTest::logLines()
{
    QFETCH(QByteArray, nameMessage);
    QFETCH(QByteArray, lastChunk);
    QFETCH(QString, how);

    ChatServer server(withGap(0));
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QSignalSpy log(&server, &ChatServer::logLine);
    QSignalSpy gone(&server, &ChatServer::clientDisconnected);
    Peer peer(server.serverPort());
    QTRY_VERIFY(peer.connected());
    const QString address = QStringLiteral("127.0.0.1:%1").arg(peer.socket.localPort());
    if (!nameMessage.isEmpty())
        QVERIFY(join(server, peer, nameMessage));
    if (lastChunk.isEmpty())
        peer.socket.disconnectFromHost();
    else
        peer.send(lastChunk);
    QTRY_COMPARE(gone.size(), 1);
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).at(0).toString(), QStringLiteral("connect ") + address);
    QCOMPARE(log.at(1).at(0).toString(), QStringLiteral("disconnect ") + address + u' ' + how);
}

void LiveHelpServerTest::program()
{
    const QString program = QStringLiteral(LIVEHELPD_PROGRAM);
    const quint16 port = freePort();
    QVERIFY(port != 0);
    const QStringList arguments{QStringLiteral("--port"), QString::number(port)};

    QProcess first;
    QByteArray firstLog;
    auto firstSaid = [&](const QByteArray &text) {
        firstLog += first.readAllStandardError();
        return firstLog.contains(text);
    };
    first.start(program, arguments);
    QVERIFY2(first.waitForStarted(), qPrintable(first.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(firstSaid("listening on 127.0.0.1:" + QByteArray::number(port)), 20000);

    Peer peer(port);
    QTRY_VERIFY(peer.connected());
    peer.send("name|Name");
    QTRY_COMPARE(peer.chunks(), ByteList({"cons|Name|"}));

    QProcess second;
    second.start(program, arguments);
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QVERIFY(second.exitCode() != 0);
    const QByteArray secondLog = second.readAllStandardError();
    QVERIFY2(secondLog.contains("cannot listen on 127.0.0.1:" + QByteArray::number(port)), secondLog.constData());

    peer.socket.disconnectFromHost();
    QTRY_VERIFY(firstSaid("\"Name\": left"));
    QVERIFY(firstSaid(" connect 127.0.0.1:"));
    first.terminate();
    QVERIFY(first.waitForFinished(WaitMs));
}

// The program itself against a burst of 50 MB, one of random bytes, one of
// 100,000 tiny lines, a reset in the middle of a line and a client that
// never names itself: each is cut off, Ann and Bob go on, and the program's
// peak memory grows by far less than it was sent.
void LiveHelpServerTest::programUnderAttack()
{
    const quint16 port = freePort();
    QVERIFY(port != 0);
    QProcess server;
    QByteArray serverLog;
    auto said = [&](const QByteArray &text) {
        serverLog += server.readAllStandardError();
        return serverLog.count(text);
    };
    server.start(QStringLiteral(LIVEHELPD_PROGRAM),
                 {QStringLiteral("--port"), QString::number(port), QStringLiteral("--name-timeout-ms"),
                  QStringLiteral("500")});
    QVERIFY2(server.waitForStarted(), qPrintable(server.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(said("name within 500 ms)") == 1, 20000);

    Peer ann(port), bob(port);
    QVERIFY(waitFor([&] { return ann.connected() && bob.connected(); }));
    ann.send("name|Ann");
    QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|"));
    bob.send("name|Bob");
    QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|Bob|"));
    const qint64 peakBefore = statusKb(server.processId(), "VmHWM");
    QVERIFY(peakBefore > 0);

    std::mt19937 random(20240603);
    const QList<std::function<void(Peer &)>> attacks{
        [](Peer &flo) { flo.send("text|" + QByteArray(50 * 1024 * 1024, 'x')); },
        [&](Peer &flo) { flo.send(randomBytes(random, 4 * 1024 * 1024)); },
        [](Peer &flo) {
            for (int i = 0; i < 100000 && flo.connected(); ++i)
                flo.send("text|" + QByteArray::number(i));
        },
        [](Peer &flo) {
            flo.send("text|half a li");
            resetConnection(flo);
        },
    };
    for (const auto &attack : attacks) {
        Peer flo(port);
        QVERIFY(waitFor([&] { return flo.connected(); }));
        flo.send("name|Flo");
        QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|Bob|Flo|"));
        attack(flo);
        QTRY_VERIFY_WITH_TIMEOUT(flo.gone(), 20000);
        QTRY_COMPARE(lastList(ann), QByteArray("cons|Ann|Bob|"));
    }
    QCOMPARE(said("\"Flo\": cut off:"), 3); // the reset is the client's own leaving
    Peer sid(port);
    QTRY_COMPARE_WITH_TIMEOUT(said("(no name): cut off: no name within 500 ms"), 1, 20000);
    QTRY_VERIFY(sid.gone());

    ann.send("text|still here");
    QTRY_VERIFY(bob.stream().endsWith("text|Ann|still here"));
    bob.send("text|me too");
    QTRY_VERIFY(ann.stream().endsWith("text|Bob|me too"));

    const qint64 peakAfter = statusKb(server.processId(), "VmHWM");
    qInfo("livehelpd peak memory %lld kB before, %lld kB after", peakBefore, peakAfter);
    QVERIFY2(peakAfter - peakBefore < 16 * 1024, qPrintable(QString::number(peakAfter - peakBefore)));
    server.terminate();
    QVERIFY(server.waitForFinished(WaitMs));
}

void LiveHelpServerTest::programOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("complaint");

    auto row = [](const char *name, const QStringList &arguments, const QByteArray &complaint) {
        QTest::newRow(name) << arguments << complaint;
    };
    row("port not a number", {"--port", "nope"}, "--port must be");
    row("no clients allowed", {"--max-clients", "0"}, "--max-clients must be");
    row("negative name timeout", {"--name-timeout-ms", "-1"}, "--name-timeout-ms must be");
    row("unknown option", {"--colour"}, "colour");
}

void LiveHelpServerTest::programOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, complaint);
    QProcess process;
    process.start(QStringLiteral(LIVEHELPD_PROGRAM), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    const QByteArray log = process.readAllStandardError();
    QVERIFY2(log.contains(complaint), log.constData());
}

QTEST_GUILESS_MAIN(LiveHelpServerTest)
#include "tst_livehelpd.moc"
