// Live Help against a server that misbehaves on purpose: random bytes, a
// 50 MB burst, 100,000 tiny messages, a reset in the middle of a message.
// Each time the window must come through without a crash or a box, go on
// taking what is typed, and then work with a well-behaved server on the
// same port.

#include "chat/ChatSocket.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "livehelpd/ChatServer.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <sys/socket.h>

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");
const QString Chat = QStringLiteral("Chat");
constexpr qint64 MB = 1024 * 1024;
// Deadlines only: a healthy run needs a fraction of them.
constexpr int WaitMs = 10000;
constexpr int FloodWaitMs = 60000;

// A server in a thread of its own, so that, like a remote one, it goes on
// sending while the window is busy. It takes one client, keeps what the
// client says and sends it what a source makes, as fast as it is taken.
class HostileServer
{
public:
    // The next write, or nothing when the source is done.
    using Source = std::function<QByteArray()>;
    enum class Ending { StayOpen, Reset };

    HostileServer()
    {
        worker.moveToThread(&thread);
        thread.start();
        inThread([this] {
            listener = new QTcpServer(&worker);
            QObject::connect(listener, &QTcpServer::newConnection, &worker, [this] { accept(); });
            if (listener->listen(QHostAddress::LocalHost, 0))
                listenPort = listener->serverPort();
        });
    }
    ~HostileServer()
    {
        inThread([this] { delete listener; }); // and with it the client's socket, its child
        thread.quit();
        thread.wait();
    }

    quint16 port() const { return listenPort; }
    QByteArray received()
    {
        QByteArray bytes;
        inThread([&] { bytes = heard; });
        return bytes;
    }
    // Bytes handed to the connection so far, and those the system took.
    qint64 handedOver() const { return handed; }
    qint64 taken() const { return written; }
    bool finished() const { return done; }

    // With inTurn, each write waits until the window has read all before
    // it (see windowRead), so that every one is a read of its own.
    void send(Source source, Ending ending, bool inTurn = false)
    {
        inThread([&] {
            next = std::move(source);
            then = ending;
            turns = inTurn;
            done = false;
            pump();
        });
    }
    // The window has read these bytes.
    void windowRead(qint64 bytes)
    {
        readByWindow += bytes;
        if (turns)
            QMetaObject::invokeMethod(&worker, [this] { pump(); }, Qt::QueuedConnection);
    }
    // Waits for the client if it is not there yet, then sends these bytes
    // and resets the connection, before this returns.
    void resetAfter(const QByteArray &bytes)
    {
        inThread([&] {
            if (!client)
                listener->waitForNewConnection(WaitMs);
            if (client) {
                client->write(bytes);
                client->flush();
                reset();
            }
        });
    }
    // Frees the port for a well-behaved server.
    void stopListening()
    {
        inThread([this] { listener->close(); });
    }

private:
    void inThread(const std::function<void()> &work)
    {
        QMetaObject::invokeMethod(&worker, work, Qt::BlockingQueuedConnection);
    }

    void accept()
    {
        while (QTcpSocket *socket = listener->nextPendingConnection()) {
            if (client) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            client = socket;
            QObject::connect(client, &QTcpSocket::readyRead, &worker, [this] { heard += client->readAll(); });
            QObject::connect(client, &QTcpSocket::bytesWritten, &worker, [this](qint64 bytes) {
                written += bytes;
                pump();
            });
        }
    }

    // Keeps about a megabyte waiting in the socket beyond what the system holds.
    void pump()
    {
        while (next && client && client->state() == QAbstractSocket::ConnectedState
               && client->bytesToWrite() < MB && (!turns || readByWindow == handed)) {
            const QByteArray piece = next();
            if (piece.isEmpty()) {
                next = nullptr;
                if (then == Ending::Reset)
                    reset();
                done = true;
                return;
            }
            handed += piece.size();
            client->write(piece);
            client->flush();
        }
    }

    // Closing with a zero linger time sends RST instead of FIN, and throws
    // away whatever was not sent yet.
    void reset()
    {
        const linger hard{1, 0};
        ::setsockopt(int(client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        client->abort();
    }

    QThread thread;
    QObject worker;
    QTcpServer *listener = nullptr;
    QPointer<QTcpSocket> client;
    quint16 listenPort = 0;
    QByteArray heard;
    Source next;
    Ending then = Ending::StayOpen;
    std::atomic<bool> turns = false;
    std::atomic<qint64> readByWindow = 0;
    std::atomic<bool> done = false;
    std::atomic<qint64> handed = 0;
    std::atomic<qint64> written = 0;
};

// `unit` repeated after `head` up to `total` bytes, in writes of `piece` bytes.
HostileServer::Source repeated(const QByteArray &head, const QByteArray &unit, qint64 total, qint64 piece = MB)
{
    auto offset = std::make_shared<qint64>(0);
    const QByteArray block = unit.repeated(std::max<qsizetype>(1, qsizetype(piece / unit.size())));
    return [=]() -> QByteArray {
        QByteArray out;
        if (*offset == 0)
            out = head;
        if (*offset >= total)
            return QByteArray();
        out += block;
        out.truncate(qsizetype(std::min<qint64>(out.size(), total - *offset)));
        *offset += out.size();
        return out;
    };
}

// Writes of random bytes, each of random length up to maxPiece, after
// `head` in each, up to `total` bytes.
HostileServer::Source noise(const QByteArray &head, qint64 total, int maxPiece, unsigned seed)
{
    auto state = std::make_shared<std::pair<std::mt19937, qint64>>(std::mt19937(seed), 0);
    return [=]() -> QByteArray {
        auto &[random, sent] = *state;
        if (sent >= total)
            return QByteArray();
        QByteArray out = head;
        const qsizetype length = qsizetype(random() % unsigned(maxPiece)) + 1;
        for (qsizetype i = 0; i < length; ++i)
            out.append(char(random()));
        sent += out.size();
        return out;
    };
}

// `count` writes of the message made from each number.
HostileServer::Source messages(const QByteArray &pattern, int count)
{
    auto sent = std::make_shared<int>(0);
    return [=]() -> QByteArray {
        if (*sent >= count)
            return QByteArray();
        return QByteArray(pattern).replace("%1", QByteArray::number((*sent)++));
    };
}

} // namespace

class HostilePeersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void randomBytes_data();
    void randomBytes();
    void burst_data();
    void burst();
    void tinyMessages_data();
    void tinyMessages();
    void reset_data();
    void reset();

private:
    forms::Form &chatWindow() { return program->windows.instance(Chat); }
    QWidget *control(const char *name) { return forms::findControl(&chatWindow(), QString::fromLatin1(name)); }
    QString text(const char *name) { return forms::controlText(control(name)); }
    QString title() { return chatWindow().windowTitle(); }
    QStringList people();
    void connectToHostile();
    void face(const HostileServer::Source &source, HostileServer::Ending ending, bool windowBusy,
              bool inTurn = false);
    void stillWorks();

    std::unique_ptr<HostileServer> server;
    std::unique_ptr<RunningProgram> program;
};

void HostilePeersTest::init()
{
    server = std::make_unique<HostileServer>();
    QVERIFY(server->port() != 0);
    program = std::make_unique<RunningProgram>(QString(), server->port());
}

void HostilePeersTest::cleanup()
{
    program.reset();
    server.reset();
}

QStringList HostilePeersTest::people()
{
    QStringList names;
    auto *list = static_cast<QListWidget *>(control("List"));
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void HostilePeersTest::connectToHostile()
{
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    QTRY_COMPARE_WITH_TIMEOUT(text("Label4"), QStringLiteral("ONLINE"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(server->received(), QByteArray("name|Guest"), WaitMs);
}

// Sends what the source makes and waits until the window has taken all of
// it in, or, for a reset, until it has seen the connection go. A busy
// window does not read while the flood comes, as when it is drawing or
// taking an earlier message: the system then holds all it will for the
// next read.
void HostilePeersTest::face(const HostileServer::Source &source, HostileServer::Ending ending, bool windowBusy,
                            bool inTurn)
{
    auto &socket = *chatWindow().findChild<chat::ChatSocket *>(QStringLiteral("sock"));
    qint64 bytes = 0, largest = 0;
    connect(&socket, &chat::ChatSocket::DataArrival, this, [&](qint64 total) {
        bytes += total;
        largest = std::max(largest, total);
        server->windowRead(total);
    });
    const qint64 handedBefore = server->handedOver();
    server->send(source, ending, inTurn);
    if (windowBusy) {
        QElapsedTimer busy;
        busy.start();
        qint64 taken = -1;
        while (taken != server->taken() && busy.elapsed() < WaitMs) {
            taken = server->taken();
            QThread::msleep(200);
        }
    }
    if (ending == HostileServer::Ending::Reset) {
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("Brackwell - Live Help [Disconnected]"), FloodWaitMs);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(server->finished() && bytes == server->handedOver() - handedBefore, FloodWaitMs);
        QCOMPARE(title(), QStringLiteral("Brackwell - Live Help [Connected]"));
    }
    disconnect(&socket, &chat::ChatSocket::DataArrival, this, nullptr);
    // However much the system holds, one message is taken in at a time and
    // none is larger than the bound.
    QVERIFY2(largest <= chat::ChatSocket::MaxReadBytes, qPrintable(QString::number(largest)));
}

// Typing still works, and after Disconnect and Connect a well-behaved
// server's list and lines show as they should.
void HostilePeersTest::stillWorks()
{
    QVERIFY(program->windows.isVisible(Chat));
    QWidget *out = control("txtOut");
    QTest::keyClicks(out, QStringLiteral("still here"));
    QCOMPARE(text("txtOut"), QStringLiteral("still here"));

    clickControl(program->windows, Chat, QStringLiteral("discon"));
    QCOMPARE(title(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    QCOMPARE(text("Label4"), QString());

    const quint16 port = server->port();
    server->stopListening();
    livehelpd::ChatServer good;
    QVERIFY(good.listen(QHostAddress::LocalHost, port));
    clickControl(program->windows, Chat, QStringLiteral("con"));
    QTRY_COMPARE_WITH_TIMEOUT(text("Label4"), QStringLiteral("ONLINE"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(people(), QStringList{QStringLiteral("Guest")}, WaitMs);

    QTcpSocket ann;
    QByteArray annHeard;
    connect(&ann, &QTcpSocket::readyRead, this, [&] { annHeard += ann.readAll(); });
    ann.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(ann.waitForConnected(WaitMs));
    ann.write("name|Ann");
    QTRY_COMPARE_WITH_TIMEOUT(people(), (QStringList{QStringLiteral("Guest"), QStringLiteral("Ann")}), WaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(annHeard.endsWith("cons|Guest|Ann|"), WaitMs);

    QTest::keyClick(out, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(annHeard.endsWith("text|Guest|still here"), WaitMs);
    QVERIFY(text("txtChat").endsWith(QStringLiteral("-=Guest=-\nstill here\n")));
    ann.write("text|hi Guest");
    QTRY_VERIFY_WITH_TIMEOUT(text("txtChat").endsWith(QStringLiteral("-=Ann=-\nhi Guest\n")), WaitMs);
    ann.disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(people(), QStringList{QStringLiteral("Guest")}, WaitMs);

    for (const BoxAnswerer::Box &box : std::as_const(program->boxes.boxes))
        QVERIFY2(box.title == QStringLiteral("Connect"), qPrintable(box.title + QStringLiteral(": ") + box.text));
    clickControl(program->windows, Chat, QStringLiteral("discon"));
}

void HostilePeersTest::randomBytes_data()
{
    QTest::addColumn<QByteArray>("head"); // before the noise of every write
    QTest::newRow("noise") << QByteArray();
    QTest::newRow("noise as chat lines") << QByteArray("text|");
    QTest::newRow("noise as lists") << QByteArray("cons|");
}

void HostilePeersTest::randomBytes()
{
    QFETCH(QByteArray, head);
    connectToHostile();
    if (QTest::currentTestFailed())
        return;
    face(noise(head, 4 * MB, 8000, 20240601), HostileServer::Ending::StayOpen, false);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(server->received(), QByteArray("name|Guest")); // nothing said back to the noise
    stillWorks();
}

void HostilePeersTest::burst_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit"); // repeated up to 50 MB
    QTest::addColumn<qint64>("warmUp");   // bytes of noise first, taken in quickly
    QTest::addColumn<bool>("windowBusy");

    auto row = [](const char *name, const QByteArray &head, const QByteArray &unit, qint64 warmUp, bool busy) {
        QTest::newRow(name) << head << unit << warmUp << busy;
    };
    row("one chat line", "text|Eve|", "x", 0, false);
    row("one chat line, window busy", "text|Eve|", "x", 0, true);
    // The system lets a connection that was read quickly hold far more
    // for its next read: megabytes here.
    row("one chat line after a warm-up, window busy", "text|Eve|", "x", 20 * MB, true);
    row("line breaks, window busy", "text|Eve|", "\r\n", 0, true);
    row("one list, window busy", "cons|", "Nemo|", 0, true);
    row("empty names, window busy", "cons|", "|", 0, true);
}

void HostilePeersTest::burst()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(qint64, warmUp);
    QFETCH(bool, windowBusy);
    connectToHostile();
    if (warmUp > 0 && !QTest::currentTestFailed())
        face(repeated(QByteArray(), "noise ", warmUp), HostileServer::Ending::StayOpen, false);
    if (QTest::currentTestFailed())
        return;
    face(repeated(head, unit, 50 * MB), HostileServer::Ending::StayOpen, windowBusy);
    if (QTest::currentTestFailed())
        return;
    stillWorks();
}

void HostilePeersTest::tinyMessages_data()
{
    QTest::addColumn<QByteArray>("pattern"); // %1: the message's number
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("inTurn"); // each in a read of its own
    // A chat line read alone costs the window a redraw of its log, about a
    // third of a millisecond however long the log: 10,000 of them show
    // what 100,000 do, in a tenth of the time.
    QTest::newRow("chat lines") << QByteArray("text|Eve|%1") << 100000 << false;
    QTest::newRow("chat lines, each read alone") << QByteArray("text|Eve|%1") << 10000 << true;
    QTest::newRow("lists, each read alone") << QByteArray("cons|Eve|%1|") << 10000 << true;
    QTest::newRow("separators") << QByteArray("|") << 100000 << false;
}

void HostilePeersTest::tinyMessages()
{
    QFETCH(QByteArray, pattern);
    QFETCH(int, count);
    QFETCH(bool, inTurn);
    connectToHostile();
    if (QTest::currentTestFailed())
        return;
    face(messages(pattern, count), HostileServer::Ending::StayOpen, false, inTurn);
    if (QTest::currentTestFailed())
        return;
    stillWorks();
}

void HostilePeersTest::reset_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit"); // repeated after head up to size
    QTest::addColumn<qint64>("size");     // of all that is sent before the reset
    QTest::addColumn<bool>("asConnected");

    auto row = [](const char *name, const QByteArray &head, const QByteArray &unit, qint64 size, bool asConnected) {
        QTest::newRow(name) << head << unit << size << asConnected;
    };
    row("before the first byte, as the window connects", "", "", 0, true);
    row("in a list, as the window connects", "cons|Ann|Bo", "", 11, true);
    row("in a chat line", "text|Eve|half a li", "x", 18, false);
    row("10 MB into a 50 MB chat line", "text|Eve|", "x", 10 * MB, false);
    row("10 MB into a 50 MB list", "cons|", "Nemo|", 10 * MB, false);
}

void HostilePeersTest::reset()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(qint64, size);
    QFETCH(bool, asConnected);
    if (asConnected) {
        // The reset comes the moment the window says it is connected, so it
        // meets the window while that is still taking the connection.
        clickControl(program->windows, Main, QStringLiteral("Command3"));
        bool wasReset = false;
        connect(&chatWindow(), &QWidget::windowTitleChanged, this, [&](const QString &now) {
            if (!wasReset && now.endsWith(QLatin1String("[Connected]"))) {
                server->resetAfter(head);
                wasReset = true;
            }
        });
        clickControl(program->windows, Chat, QStringLiteral("Command2"));
        QTRY_VERIFY_WITH_TIMEOUT(wasReset, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("Brackwell - Live Help [Disconnected]"), WaitMs);
        disconnect(&chatWindow(), &QWidget::windowTitleChanged, this, nullptr);
    } else {
        connectToHostile();
        if (QTest::currentTestFailed())
            return;
        face(repeated(head, unit, size), HostileServer::Ending::Reset, false);
    }
    if (QTest::currentTestFailed())
        return;
    stillWorks();
}

QTEST_MAIN(HostilePeersTest)
#include "tst_hostilepeers.moc"
