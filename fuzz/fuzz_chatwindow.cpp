// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chat window receiving any bytes from its server. The program's own
// windows run offscreen; the window is connected once, as a user connects it,
// to a server on a loopback port, and each input is written from the server
// side, in up to four writes, each read by the window before the next goes.
//
// Input: byte 0 picks the number of writes (1 + byte0 % 4); the next
// writes - 1 bytes are the lengths of all but the last write; the rest is
// the data. After every read the window must show what the protocol says of
// the text it read, and after every input it must still be the connected
// chat window with all its controls and no box open.
//
// Each input then leaves the log and the people list empty, as it found
// them: an input replays alone, and memory stays bounded over millions of
// runs (the log also keeps an undo history, which clearing drops).

#include "app/WindowKinds.h"
#include "app/WindowManager.h"
#include "chat/ChatSocket.h"
#include "chat/Protocol.h"
#include "core/CodePage.h"
#include "core/RunTimeError.h"
#include "forms/ChatForm.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <variant>

using namespace app;
using namespace core;
using forms::toQString;

namespace {

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "chat window fuzzer: %s%s%s\n", what, detail.isEmpty() ? "" : ": ", qPrintable(detail));
    std::abort();
}

void expect(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

const QString Main = toQString(forms::MainWindowName);
const QString Chat = toQString(forms::ChatName);
const QString ConnectedTitle = QStringLiteral("Brackwell - Live Help [Connected]");

constexpr const char *ChatControls[] = {
    "frameChat", "Frame2", "Label4",  "Command3",  "Command2", "Command1", "List",   "frameOut",
    "txtOut",    "Frame1", "txtChat", "frameName", "txtName",  "Label3",   "Label2", "Label1",
};
constexpr const char *ChatMenuEntries[] = {"con", "discon", "avsluta"};

// A write the window has not read by then is a hang, not a slow machine.
constexpr int ReadDeadlineMs = 10000;

QWidget *control(QWidget &window, const char *name) { return forms::findControl(&window, QString::fromLatin1(name)); }

void click(QWidget &window, const char *name)
{
    auto *button = qobject_cast<QAbstractButton *>(control(window, name));
    if (!button)
        fail("no button", QString::fromLatin1(name));
    button->click();
}

template<typename Done>
void waitFor(Done done, const char *what)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ReadDeadlineMs)
            fail("timed out waiting", QString::fromLatin1(what));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

QStringList people(QListWidget &list)
{
    QStringList names;
    names.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    return names;
}

class Harness
{
public:
    Harness()
        : application(argc, argv)
    {
        QApplication::setApplicationName(QStringLiteral("Fyzorin"));
        QApplication::setQuitOnLastWindowClosed(false); // as main(): the program ends by its own rules
        if (!server.listen(QHostAddress::LocalHost, 0))
            fail("cannot listen on loopback", server.errorString());
        QObject::connect(&windows, &WindowManager::applicationEnded, [] { fail("the program ended"); });
        registerWindowKinds(windows, {QCoreApplication::applicationDirPath(), server.serverPort()});

        // Input boxes get the loopback address; any other box is a fault,
        // reported from inside its own modal loop.
        QObject::connect(&boxWatch, &QTimer::timeout, [] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *input = qobject_cast<QInputDialog *>(modal); input && input->isVisible()) {
                input->setTextValue(QStringLiteral("127.0.0.1"));
                input->accept();
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                fail("a box appeared", box->text());
            }
        });
        boxWatch.start(5);

        windows.show(Main);
        QCoreApplication::processEvents();
        click(windows.instance(Main), "Command3"); // "Live Help"
        window = &windows.instance(Chat);
        expect(windows.isVisible(Chat), "Live Help shows the chat window");
        click(*window, "Command2"); // "Connect To Chat", answered by boxWatch
        waitFor([this] { return server.hasPendingConnections(); }, "the connection");
        peer = server.nextPendingConnection();
        // What arrived before this connection was taken is already buffered.
        heard = peer->readAll();
        QObject::connect(peer, &QTcpSocket::readyRead, [this] { heard += peer->readAll(); });
        waitFor([this] { return window->windowTitle() == ConnectedTitle && heard == "name|Guest"; }, "the greeting");
        boxWatch.setInterval(50);

        sock = window->findChild<chat::ChatSocket *>(QStringLiteral("sock"));
        expect(sock && sock->isConnected(), "the window's socket is connected");
        client = sock->findChild<QTcpSocket *>();
        expect(client, "the socket has its connection");
        list = static_cast<QListWidget *>(control(*window, "List"));
        log = static_cast<QPlainTextEdit *>(control(*window, "txtChat"));
        shownNames = people(*list);
        logLength = log->document()->characterCount();
        // Connected after the window's own handler, so it runs once that has read.
        QObject::connect(sock, &chat::ChatSocket::DataArrival, [this](qint64 bytesTotal) { afterRead(bytesTotal); });
    }

    void run(const std::uint8_t *data, std::size_t size)
    {
        const std::size_t writes = size ? 1 + data[0] % 4 : 1;
        std::size_t lengths = size ? 1 : 0;
        std::size_t at = std::min(size, writes);
        for (std::size_t i = 0; i < writes; ++i) {
            std::size_t length = size - at;
            if (i + 1 < writes && lengths < size)
                length = std::min<std::size_t>(data[lengths++], length);
            deliver(QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(length)));
            at += length;
        }
        checkSane();
        log->clear();
        list->clear();
        logLength = log->document()->characterCount();
        shownNames.clear();
    }

private:
    // One write from the server, read by the window before this returns.
    void deliver(const QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return;
        pending = bytes;
        consumed = 0;
        peer->write(bytes);
        peer->flush();
        waitFor([this] { return consumed == pending.size(); }, "the window to read");
    }

    // The window has just read bytesTotal bytes of the current write: it
    // shows what the protocol says of that text and nothing else.
    void afterRead(qint64 bytesTotal)
    {
        expect(client->bytesAvailable() == 0, "the window reads everything it is told of");
        expect(bytesTotal > 0 && consumed + bytesTotal <= pending.size(), "the window reads only what was written");
        const QString text = CodePage::toText(pending.mid(consumed, bytesTotal));
        consumed += bytesTotal;

        const qsizetype before = logLength;
        logLength = log->document()->characterCount();
        chat::ServerMessage message = chat::Ignored{};
        try {
            message = chat::ParseServerMessage(text);
        } catch (const RunTimeError &) {
        }
        if (const auto *names = std::get_if<chat::UserList>(&message)) {
            shownNames = people(*list);
            expect(shownNames == names->names, "a list replaces the people online");
            expect(logLength == before, "a list leaves the log alone");
        } else if (std::holds_alternative<chat::ChatLine>(message)) {
            expect(logLength > before, "a chat line goes to the log");
            expect(list->count() == shownNames.size(), "a chat line leaves the people online alone");
        } else {
            expect(logLength == before, "an ignored message leaves the log alone");
            expect(people(*list) == shownNames, "an ignored message leaves the people online alone");
        }
    }

    void checkSane()
    {
        expect(windows.isLoaded(Chat) && &windows.instance(Chat) == window, "the chat window stays loaded");
        expect(windows.isVisible(Chat) && !windows.isVisible(Main), "only the chat window is visible");
        expect(window->windowTitle() == ConnectedTitle, "the title says Connected");
        expect(forms::controlText(control(*window, "Label4")) == QStringLiteral("ONLINE"), "the status says ONLINE");
        for (const char *controlName : ChatControls)
            expect(control(*window, controlName) != nullptr, controlName);
        for (const char *entryName : ChatMenuEntries)
            expect(forms::findMenuEntry(window, QString::fromLatin1(entryName)) != nullptr, entryName);
        expect(sock->isConnected() && peer->state() == QAbstractSocket::ConnectedState, "the connection stays open");
        expect(QApplication::activeModalWidget() == nullptr, "no box is open");
        expect(heard == "name|Guest", "the window sends nothing on data");
    }

    int argc = 1;
    char name[16] = "fuzz_chatwindow";
    char *argv[2] = {name, nullptr};
    QApplication application;
    QTcpServer server;
    WindowManager windows;
    QTimer boxWatch;
    forms::Form *window = nullptr;
    chat::ChatSocket *sock = nullptr;
    QTcpSocket *client = nullptr;
    QTcpSocket *peer = nullptr;
    QListWidget *list = nullptr;
    QPlainTextEdit *log = nullptr;
    QByteArray heard;
    QByteArray pending;
    qsizetype consumed = 0;
    QStringList shownNames;
    qsizetype logLength = 0;
};

Harness *harness = nullptr;

} // namespace

// fontconfig keeps what it builds for each font lookup, the fallback fonts
// of characters first seen in a message among them, for the process's life.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness = new Harness; // lives until the process ends; never torn down
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    harness->run(data, size);
    return 0;
}
