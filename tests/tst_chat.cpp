// Live Help: the protocol's messages, and the chat window against a peer of
// the test's own on a loopback port.

#include "app/CodePage.h"
#include "app/RunTimeError.h"
#include "chat/Protocol.h"
#include "livehelpd/ChatServer.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "support/TestSupport.h"

#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

using namespace chat;
Q_DECLARE_METATYPE(chat::ServerMessage)

namespace {

const QString Main = QStringLiteral("frmPhysicsMain");
const QString Chat = QStringLiteral("Chat");

// The server end of one connection, as a test drives it.
class Peer : public QObject
{
public:
    Peer()
    {
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            client = server.nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [this] { received += client->readAll(); });
        });
    }
    quint16 port() const { return server.serverPort(); }
    // Waits until exactly these bytes have arrived, then forgets them.
    bool expect(const QByteArray &bytes)
    {
        const bool arrived = QTest::qWaitFor([&] { return received.size() >= bytes.size(); }, 5000);
        if (!arrived || received != bytes) {
            qWarning() << "expected" << bytes << "received" << received;
            return false;
        }
        received.clear();
        return true;
    }
    void send(const QByteArray &bytes)
    {
        client->write(bytes);
        client->flush();
    }

    QTcpServer server;
    QPointer<QTcpSocket> client;
    QByteArray received;
};

} // namespace

class ChatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void formatMessages();
    void parse_data();
    void parse();
    void parseFailures_data();
    void parseFailures();
    void codePage();

    void conversation();
    void serverClosesAndWindowKeepsEverything();
    void backToMainKeepsTheConnection();
    void disconnectGivesAFreshWindow();
    void failedAttempt();
    void cancelledConnect();
    void enterWithoutConnection();
    void malformedDataIsIgnored();
    void menuEntries();
    void rawPeer();
    void withLivehelpd();

private:
    forms::Form &chatWindow() { return program->windows.instance(Chat); }
    QString text(const char *control) { return forms::controlText(forms::findControl(&chatWindow(), QString::fromLatin1(control))); }
    QStringList people();
    void connectClient();
    void typeLine(const QString &line, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<Peer> peer;
    std::unique_ptr<RunningProgram> program;
};

void ChatTest::init()
{
    peer = std::make_unique<Peer>();
    program = std::make_unique<RunningProgram>(QString(), peer->port());
}

void ChatTest::cleanup()
{
    program.reset();
    peer.reset();
}

QStringList ChatTest::people()
{
    QStringList names;
    auto *list = static_cast<QListWidget *>(forms::findControl(&chatWindow(), QStringLiteral("List")));
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

// Callers stop when this failed: the rest of a test needs the connection.
void ChatTest::connectClient()
{
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    QTRY_COMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Connected]"));
    if (peer)
        QVERIFY(peer->expect("name|Guest"));
    QTRY_COMPARE(text("Label4"), QStringLiteral("ONLINE"));
}

void ChatTest::typeLine(const QString &line, Qt::KeyboardModifiers modifiers)
{
    QWidget *box = forms::findControl(&chatWindow(), QStringLiteral("txtOut"));
    QTest::keyClicks(box, line);
    QTest::keyClick(box, Qt::Key_Return, modifiers);
}

void ChatTest::formatMessages()
{
    QCOMPARE(CodePage::toBytes(FormatNameMessage(QStringLiteral("Guest"))),
             QByteArray("\x6E\x61\x6D\x65\x7C\x47\x75\x65\x73\x74"));
    QCOMPARE(FormatNameMessage(QStringLiteral("A|B")), QStringLiteral("name|A|B"));
    QCOMPARE(FormatNameMessage(QString()), QStringLiteral("name|"));
    QCOMPARE(FormatTextMessage(QString()), QStringLiteral("text|"));
    QCOMPARE(FormatTextMessage(QStringLiteral("a|b")), QStringLiteral("text|a|b"));
}

void ChatTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ServerMessage>("message");
    auto list = [](QStringList names) { return ServerMessage(UserList{names}); };
    QTest::newRow("list with closing bar") << "cons|Ann|Bob|" << list({QStringLiteral("Ann"), QStringLiteral("Bob")});
    QTest::newRow("list without closing bar") << "cons|Ann|Bob" << list({QStringLiteral("Ann")});
    QTest::newRow("cons alone") << "cons" << list({});
    QTest::newRow("cons and bar") << "cons|" << list({});
    QTest::newRow("one name without closing bar") << "cons|Ann" << list({});
    QTest::newRow("empty name") << "cons|Ann||Bob|" << list({QStringLiteral("Ann"), QString(), QStringLiteral("Bob")});
    QTest::newRow("chat line") << "text|Ann|hello" << ServerMessage(ChatLine{QStringLiteral("Ann"), QStringLiteral("hello")});
    QTest::newRow("extra fields dropped") << "text|Ann|a|b" << ServerMessage(ChatLine{QStringLiteral("Ann"), QStringLiteral("a")});
    QTest::newRow("empty line") << "text|Ann|" << ServerMessage(ChatLine{QStringLiteral("Ann"), QString()});
    QTest::newRow("two messages in one read") << "text|Ann|hicons|Ann|"
                                              << ServerMessage(ChatLine{QStringLiteral("Ann"), QStringLiteral("hicons")});
    QTest::newRow("Cons") << "Cons|Ann|" << ServerMessage(Ignored{});
    QTest::newRow("CONS") << "CONS|Ann|" << ServerMessage(Ignored{});
    QTest::newRow("Text") << "Text|Ann|hi" << ServerMessage(Ignored{});
    QTest::newRow("TEXT") << "TEXT|Ann|hi" << ServerMessage(Ignored{});
    QTest::newRow("kind with a blank") << "cons |Ann|" << ServerMessage(Ignored{});
    QTest::newRow("empty kind") << "|cons|" << ServerMessage(Ignored{});
    QTest::newRow("unknown kind") << "ping" << ServerMessage(Ignored{});
}

void ChatTest::parse()
{
    QFETCH(QString, text);
    QFETCH(ServerMessage, message);
    QVERIFY(ParseServerMessage(text) == message);
}

void ChatTest::parseFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("text alone") << QStringLiteral("text");
    QTest::newRow("text and sender") << QStringLiteral("text|Ann");
}

void ChatTest::parseFailures()
{
    QFETCH(QString, text);
    try {
        ParseServerMessage(text);
        QFAIL("no error");
    } catch (const RunTimeError &error) {
        QCOMPARE(error.number(), 9);
    }
}

void ChatTest::codePage()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(CodePage::toBytes(CodePage::toText(all)), all); // one character a byte, both ways
    QCOMPARE(CodePage::toText("\x80\xe9"), QStringLiteral("\u20ac\u00e9"));
    QCOMPARE(CodePage::toBytes(QStringLiteral("\u03bb")), QByteArray("?"));
}

void ChatTest::conversation()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    const BoxAnswerer::Box ask = program->boxes.boxes.first();
    QCOMPARE(ask.title, QStringLiteral("Connect"));
    QCOMPARE(ask.text, QStringLiteral("Please write IP or HostName."));
    QCOMPARE(ask.buttons, QStringList{QStringLiteral("LocalHost")}); // the default answer

    typeLine(QStringLiteral("hello"));
    QVERIFY(peer->expect("text|hello"));
    QCOMPARE(text("txtChat"), QStringLiteral("-=Guest=-\nhello\n"));
    QCOMPARE(text("txtOut"), QString());

    typeLine(QStringLiteral("again"), Qt::ShiftModifier);
    QVERIFY(peer->expect("text|again"));

    // A new name shows in later echoes; the server was told the name once.
    forms::setControlText(forms::findControl(&chatWindow(), QStringLiteral("txtName")), QStringLiteral("Ada"));
    typeLine(QString());
    QVERIFY(peer->expect("text|"));
    QCOMPARE(text("txtChat"), QStringLiteral("-=Guest=-\nhello\n-=Guest=-\nagain\n-=Ada=-\n\n"));

    peer->send("cons|Ann|Bob|");
    QTRY_COMPARE(people(), (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    QTest::qWait(30);
    peer->send("text|Ann|caf\xe9");
    QTRY_VERIFY(text("txtChat").endsWith(QStringLiteral("-=Ann=-\ncaf\u00e9\n")));
    QCOMPARE(program->boxes.boxes.size(), 1);
}

void ChatTest::serverClosesAndWindowKeepsEverything()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    peer->send("cons|Ann|");
    QTRY_COMPARE(people(), QStringList{QStringLiteral("Ann")});
    peer->client->disconnectFromHost();
    QTRY_COMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    QCOMPARE(text("Label4"), QStringLiteral("ONLINE"));
    QCOMPARE(people(), QStringList{QStringLiteral("Ann")});
}

void ChatTest::backToMainKeepsTheConnection()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    clickControl(program->windows, Chat, QStringLiteral("Command1"));
    QCOMPARE(visibleKinds(program->windows), QStringList{Main});
    peer->send("text|Ann|while you were away");
    QTRY_VERIFY(text("txtChat").contains(QStringLiteral("while you were away")));
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    QCOMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Connected]"));
    typeLine(QStringLiteral("back"));
    QVERIFY(peer->expect("text|back"));
}

void ChatTest::disconnectGivesAFreshWindow()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    typeLine(QStringLiteral("bye"));
    QVERIFY(peer->expect("text|bye"));
    clickControl(program->windows, Chat, QStringLiteral("Command3"));
    QVERIFY(!program->windows.isLoaded(Chat));
    QTRY_VERIFY(!peer->client || peer->client->state() != QAbstractSocket::ConnectedState
                || peer->client->waitForDisconnected(100));
    QCOMPARE(visibleKinds(program->windows), QStringList{Main}); // nothing else was visible
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    QCOMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    QVERIFY(people().isEmpty());
    QCOMPARE(text("txtChat"), QString());
    QCOMPARE(text("txtName"), QStringLiteral("Guest"));
    QCOMPARE(text("Label4"), QString());
}

void ChatTest::failedAttempt()
{
    const quint16 closedPort = peer->port();
    peer.reset(); // nobody listens there any more
    program = std::make_unique<RunningProgram>(QString(), closedPort);
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    QTRY_COMPARE(text("Label4"), QStringLiteral("REFUSED"));
    QCOMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    QCOMPARE(program->boxes.boxes.size(), 1); // the input box only

    program->boxes.inputAnswer = QStringLiteral("bad..name"); // refused before any lookup
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    QTRY_COMPARE(text("Label4"), QStringLiteral("HOST NOT FOUND"));
}

void ChatTest::cancelledConnect()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    program->boxes.cancelInput = true;
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    program->boxes.cancelInput = false;
    program->boxes.inputAnswer = QString();
    clickControl(program->windows, Chat, QStringLiteral("con"));
    typeLine(QStringLiteral("still here"));
    QVERIFY(peer->expect("text|still here")); // the connection stayed
}

void ChatTest::enterWithoutConnection()
{
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    typeLine(QStringLiteral("lost?"));
    QCOMPARE(program->boxes.boxes.size(), 1);
    QCOMPARE(program->boxes.boxes[0].text,
             QStringLiteral("Run-time error '40006':\n\nWrong protocol or connection state for the requested transaction or request"));
    QCOMPARE(text("txtChat"), QStringLiteral("-=Guest=-\nlost?\n"));
    QCOMPARE(text("txtOut"), QStringLiteral("lost?"));
    QVERIFY(program->windows.isVisible(Chat));
}

void ChatTest::malformedDataIsIgnored()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    peer->send("text|Ann");
    QTest::qWait(100);
    peer->send("text|Ann|fine");
    QTRY_COMPARE(text("txtChat"), QStringLiteral("-=Ann=-\nfine\n"));
    QCOMPARE(program->boxes.boxes.size(), 1); // the input box only
}

void ChatTest::menuEntries()
{
    connectClient();
    if (QTest::currentTestFailed())
        return;
    clickControl(program->windows, Chat, QStringLiteral("discon"));
    QCOMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    QCOMPARE(text("Label4"), QString());
    QTRY_VERIFY(!peer->client || peer->client->state() == QAbstractSocket::UnconnectedState);
    QVERIFY(program->windows.isVisible(Chat));
    clickControl(program->windows, Chat, QStringLiteral("avsluta"));
    QVERIFY(!program->windows.isLoaded(Chat));
}

// Against a peer nobody here wrote: socat listening and relaying its
// standard input and output, so the client is not only tested against a
// peer shaped like itself.
void ChatTest::rawPeer()
{
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (socat.isEmpty())
        QSKIP("socat is not installed (scripts/deps.sh installs it)");
    const quint16 port = peer->port();
    peer.reset(); // free the port for socat
    QProcess raw;
    QByteArray heard; // what socat received from the client
    QByteArray said;  // socat's notices, which tell when it listens
    connect(&raw, &QProcess::readyReadStandardOutput, this, [&] { heard += raw.readAllStandardOutput(); });
    connect(&raw, &QProcess::readyReadStandardError, this, [&] { said += raw.readAllStandardError(); });
    raw.start(socat, {QStringLiteral("-d"), QStringLiteral("-d"),
                      QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr").arg(port), QStringLiteral("STDIO")});
    QVERIFY(raw.waitForStarted());
    QTRY_VERIFY(said.contains("listening on"));

    program = std::make_unique<RunningProgram>(QString(), port);
    clickControl(program->windows, Main, QStringLiteral("Command3"));
    clickControl(program->windows, Chat, QStringLiteral("Command2"));
    QTRY_COMPARE(text("Label4"), QStringLiteral("ONLINE"));
    QTRY_COMPARE(heard, QByteArray("name|Guest"));
    raw.write("cons|Ann|Bob|");
    QTRY_COMPARE(people(), (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    typeLine(QStringLiteral("hi"));
    QTRY_COMPARE(heard, QByteArray("name|Guesttext|hi"));
    raw.closeWriteChannel(); // socat then closes the connection
    QTRY_COMPARE(chatWindow().windowTitle(), QStringLiteral("Brackwell - Live Help [Disconnected]"));
    raw.waitForFinished(5000);
}

// With our own server between the window and a second client.
void ChatTest::withLivehelpd()
{
    peer.reset();
    livehelpd::ChatServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    program = std::make_unique<RunningProgram>(QString(), server.serverPort());
    connectClient();
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(people(), QStringList{QStringLiteral("Guest")});

    QTcpSocket ann;
    QByteArray annHeard;
    connect(&ann, &QTcpSocket::readyRead, this, [&] { annHeard += ann.readAll(); });
    ann.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(ann.waitForConnected(5000));
    ann.write("name|Ann");
    QTRY_COMPARE(people(), (QStringList{QStringLiteral("Guest"), QStringLiteral("Ann")}));

    QTRY_VERIFY(annHeard.endsWith("cons|Guest|Ann|"));
    annHeard.clear();
    typeLine(QStringLiteral("hello"));
    QTRY_COMPARE(annHeard, QByteArray("text|Guest|hello"));
    ann.write("text|hi Guest");
    QTRY_VERIFY(text("txtChat").endsWith(QStringLiteral("-=Ann=-\nhi Guest\n")));

    ann.disconnectFromHost();
    QTRY_COMPARE(people(), QStringList{QStringLiteral("Guest")});
}

QTEST_MAIN(ChatTest)
#include "tst_chat.moc"
