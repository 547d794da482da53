// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Live Help: the chat window against a raw peer, one that misbehaves on purpose, and our own server.

#include "chat/ChatSocket.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "livehelpd/ChatServer.h"
#include "support/TestPeer.h"
#include "support/TestSupport.h"

#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace app;
const QString Main = u"frmPhysicsMain"_s, Chat = u"Chat"_s;

class ChatTest : public QObject
{
    Q_OBJECT

    forms::Form &window() { return program->windows.instance(Chat); }
    QWidget *control(const QString &name) { return forms::findControl(&window(), name); }
    QString text(const QString &name) { return forms::controlText(control(name)); }
    QString status() { return window().windowTitle().section(u'[', 1).chopped(1); }
    void click(const QString &window, const QString &name) { clickControl(program->windows, window, name); }
    void typeLine(const QString &line) { QTest::keyClicks(control(u"txtOut"_s), line + u'\r'); } // \r: Enter
    QString people() // the names in the list, joined by ","
    {
        QStringList names;
        for (const auto *item : static_cast<QListWidget *>(control(u"List"_s))->findItems(QString(), Qt::MatchContains))
            names.append(item->text());
        return names.join(u',');
    }
    void serverSays(const QByteArray &bytes) // and waits until the window has read it all
    {
        const qint64 target = heard + bytes.size();
        peer->send(bytes);
        QTRY_COMPARE_WITH_TIMEOUT(heard, target, WaitMs);
    }

    std::unique_ptr<TestPeer> peer; // before the program, which goes first
    std::unique_ptr<RunningProgram> program;
    qint64 heard = 0, largestRead = 0; // bytes the window has read in all tests, and the most in one read

private Q_SLOTS:
    void init()
    {
        peer = std::make_unique<TestPeer>();
        program = std::make_unique<RunningProgram>(QString(), peer->server.serverPort());
        click(Main, u"Command3"_s); // every test starts connected
        const auto *socket = window().findChild<chat::ChatSocket *>(u"sock"_s);
        connect(socket, &chat::ChatSocket::DataArrival, this, [this](qint64 bytes) { heard += bytes; });
        connect(socket, &chat::ChatSocket::DataArrival, this, [this](qint64 n) { largestRead = qMax(largestRead, n); });
        click(Chat, u"Command2"_s);
        QTRY_COMPARE_WITH_TIMEOUT(text(u"Label4"_s) + u' ' + status(), u"ONLINE Connected"_s, WaitMs);
        QVERIFY(peer->expect("name|Guest"));
    }

    void session_data()
    {
        QTest::addColumn<QString>("control"); // how the connection ends: what the user uses; empty: the server closes
        QTest::addColumn<QString>("after");   // Label4 and the list then; after an unload, a fresh window's
        QTest::addColumn<QString>("failure"); // of a Connect then, to where nobody listens or to a bad name
        QTest::newRow("server closes") << QString() << u"ONLINE Ann,Bob"_s << u"REFUSED"_s;
        QTest::newRow("Disconnect menu entry") << u"discon"_s << u" Ann,Bob"_s << u"HOST NOT FOUND"_s;
        QTest::newRow("Disconnect From Chat unloads") << u"Command3"_s << u" "_s << u"REFUSED"_s;
        QTest::newRow("End menu entry unloads") << u"avsluta"_s << u" "_s << u"HOST NOT FOUND"_s;
    }

    // A conversation, its end, and the window without a connection.
    void session()
    {
        QFETCH(QString, control);
        QFETCH(QString, after);
        QFETCH(QString, failure);
        typeLine(u"hello"_s);
        QVERIFY(peer->expect("text|hello"));
        forms::setControlText(this->control(u"txtName"_s), u"Ada"_s); // in later echoes; the server had the name once
        typeLine(QString());
        QVERIFY(peer->expect("text|"));
        serverSays("cons|Ann|Bob|");
        serverSays("text|Ann");     // malformed: ignored without a box
        click(Chat, u"Command1"_s); // Back To Main: the connection stays
        serverSays("text|Ann|caf\xe9");
        click(Main, u"Command3"_s);
        QCOMPARE(text(u"txtChat"_s), u"-=Guest=-\nhello\n-=Ada=-\n\n-=Ann=-\ncaf\u00e9\n"_s);
        program->boxes.inputAnswer = QString(); // Connect answered with nothing leaves the connection alone
        click(Chat, u"con"_s);
        typeLine(u"still here"_s);
        QVERIFY(peer->expect("text|still here"));

        if (control.isEmpty())
            peer->socket->disconnectFromHost();
        else
            click(Chat, control);
        if (!program->windows.isLoaded(Chat))
            click(Main, u"Command3"_s);
        QTRY_COMPARE_WITH_TIMEOUT(status(), u"Disconnected"_s, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!peer->connected(), WaitMs); // an unloaded window takes its connection with it
        QCOMPARE(text(u"Label4"_s) + u' ' + people(), after);
        typeLine(u"lost?"_s); // shown, kept in the box, and a box says why it was not sent
        QCOMPARE(program->boxes.boxes.last().text,
                 u"Run-time error '40006':\n\n"
                 u"Wrong protocol or connection state for the requested transaction or request"_s);
        QVERIFY(text(u"txtChat"_s).endsWith(u"=-\nlost?\n"_s) && text(u"txtOut"_s) == u"lost?"_s);
        peer->server.close(); // nobody listens any more; "bad..name" is refused before any lookup
        program->boxes.inputAnswer = failure == u"REFUSED"_s ? u"LocalHost"_s : u"bad..name"_s;
        click(Chat, u"Command2"_s);
        QTRY_COMPARE_WITH_TIMEOUT(text(u"Label4"_s) + u' ' + status(), failure + u" Disconnected"_s, WaitMs);
        QCOMPARE(program->boxes.boxes.size(), 4); // three input boxes and the error
    }

    // Connecting again while connected drops the connection first; the attempt's failure then shows.
    void connectWhileConnected()
    {
        program->boxes.inputAnswer = u"bad..name"_s;
        click(Chat, u"con"_s);
        QTRY_COMPARE_WITH_TIMEOUT(text(u"Label4"_s) + u' ' + status(), u"HOST NOT FOUND Disconnected"_s, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!peer->connected(), WaitMs);
    }

    void hostileServer_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("reset"); // after the bytes
        QTest::newRow("a line far above the read bound") << "text|Eve|" + QByteArray(8 << 20, 'x') << false;
        QTest::newRow("reset in a line") << QByteArray("text|Eve|half a li") << true;
    }

    // Taken without a box, in reads within the bound; then typing and our server on the port work.
    void hostileServer()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, reset);
        if (reset) {
            peer->send(bytes);
            peer->reset();
        } else {
            serverSays(bytes);
        }
        QTRY_COMPARE_WITH_TIMEOUT(status(), reset ? u"Disconnected"_s : u"Connected"_s, WaitMs);
        QVERIFY2(largestRead <= chat::ChatSocket::MaxReadBytes, qPrintable(QString::number(largestRead)));
        QTest::keyClicks(control(u"txtOut"_s), u"still here"_s);
        const quint16 port = peer->server.serverPort();
        peer.reset();
        livehelpd::ChatServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, port));
        click(Chat, u"con"_s);
        QTRY_COMPARE_WITH_TIMEOUT(people(), u"Guest"_s, WaitMs);
        TestPeer ann(port);
        ann.send("name|Ann");
        QTRY_COMPARE_WITH_TIMEOUT(people(), u"Guest,Ann"_s, WaitMs);
        typeLine(QString());
        QTRY_VERIFY_WITH_TIMEOUT(ann.received.endsWith("text|Guest|still here"), WaitMs);
        QCOMPARE(program->boxes.boxes.size(), 2); // the two input boxes only
    }
};

QTEST_MAIN(ChatTest)
#include "tst_chat.moc"
