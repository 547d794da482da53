// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Relaying through the Live Help server: loopback clients (a room of 200,
// and rooms of 50 and 400 to see how it grows) on one in-process server
// without a gap. In each round every client sends one line, and the round
// ends when every client has received the lines of all the others: n x (n - 1)
// relayed messages a round. Clients and server share
// one thread, so the rate includes the clients' reading.
//
// The floor is a bare relay in the same run: the same bytes out, one write
// call per message, but no output queue, pacing or bounds.

#include "BenchRun.h"
#include "livehelpd/ChatServer.h"
#include "livehelpd/Protocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int RoundSeconds = 60;

// Runs the event loop until done() holds; false after RoundSeconds. The
// timer only wakes the loop up to look at the clock.
template<typename Done>
bool runUntil(Done done)
{
    const QDeadlineTimer deadline(qint64{RoundSeconds} * 1000);
    QTimer wakeUp;
    wakeUp.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The least a relay can do with Qt sockets and the same output: a name
// from each first read, then every later read relayed to every other named
// client, written and flushed at once.
class BareRelay
{
public:
    BareRelay()
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] { accept(); });
    }

    bool listen(const QHostAddress &address, quint16 port) { return server.listen(address, port); }
    quint16 serverPort() const { return server.serverPort(); }
    QList<QByteArray> names() const
    {
        QList<QByteArray> online;
        for (const Member &member : members)
            online.append(member.name);
        return online;
    }
    int clientCount() const { return int(sockets.size()); }

private:
    struct Member {
        QTcpSocket *socket;
        QByteArray name;
    };

    void accept()
    {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            socket->setParent(&server);
            // As the real server: small messages must not wait for acknowledgements.
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            sockets.push_back(socket);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket *socket)
    {
        const QByteArray chunk = socket->readAll();
        const auto sender
            = std::find_if(members.begin(), members.end(), [socket](const Member &m) { return m.socket == socket; });
        if (sender == members.end()) {
            members.push_back({socket, livehelpd::protocol::nameFromChunk(chunk)});
            send(livehelpd::protocol::userListMessage(names()), nullptr);
            return;
        }
        QByteArrayView line;
        if (livehelpd::protocol::lineFromChunk(chunk, &line))
            send(livehelpd::protocol::chatLineMessage(sender->name, line), socket);
    }

    void send(const QByteArray &message, const QTcpSocket *except)
    {
        for (const Member &member : members) {
            if (member.socket != except) {
                member.socket->write(message);
                member.socket->flush();
            }
        }
    }

    QTcpServer server;
    std::vector<QTcpSocket *> sockets;
    std::vector<Member> members;
};

// The real server, unpaced; what is measured is relaying, not the guard
// against floods, nor the wait for the rest of a message that may come in
// pieces (which delays a line, not the rate). All clients come from one
// address.
struct OurServer : livehelpd::ChatServer {
    static livehelpd::Settings unpaced()
    {
        livehelpd::Settings settings;
        settings.gapMs = 0;
        settings.maxChunksPerSecond = 1'000'000;
        settings.pieceTimeoutMs = 0;
        settings.maxPerAddress = settings.maxClients = 1'000'000;
        return settings;
    }
    OurServer()
        : livehelpd::ChatServer(unpaced())
    {
    }
};

template<typename Server>
void relay(benchmark::State &state)
{
    const qsizetype lineBytes = qsizetype(state.range(0));
    const int roomSize = int(state.range(1));
    Server server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("cannot listen");
        return;
    }

    // Names of one length, so that every relayed message has one size and
    // arrivals can be counted in bytes whatever the reads are.
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    std::vector<QByteArray> tails(static_cast<std::size_t>(roomSize));
    qint64 received = 0;
    for (int i = 0; i < roomSize; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        QTcpSocket *raw = socket.get();
        QObject::connect(raw, &QTcpSocket::readyRead, raw, [raw, &received, &tail = tails[std::size_t(i)]] {
            const QByteArray bytes = raw->readAll();
            received += bytes.size();
            tail = (tail + bytes).right(8192);
        });
        socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
        clients.push_back(std::move(socket));
    }
    const bool ready = runUntil([&] {
        return std::all_of(clients.begin(), clients.end(),
                           [](const auto &c) { return c->state() == QAbstractSocket::ConnectedState; });
    });
    for (std::size_t i = 0; ready && i < clients.size(); ++i) {
        clients[i]->write("name|" + QByteArray::number(1000 + int(i)));
        clients[i]->flush();
    }
    // Everyone online, and every client told so.
    if (!ready || !runUntil([&] { return server.names().size() == roomSize; })) {
        state.SkipWithError("clients did not all join");
        return;
    }
    const QByteArray everyone = livehelpd::protocol::userListMessage(server.names());
    if (!runUntil([&] {
            return std::all_of(tails.begin(), tails.end(), [&](const QByteArray &t) { return t.endsWith(everyone); });
        })) {
        state.SkipWithError("clients were not all told who is online");
        return;
    }

    const QByteArray line = "text|" + QByteArray(lineBytes, 'x');
    const qint64 relayedBytes = 5 + 4 + 1 + lineBytes;
    const qint64 perRound = qint64(roomSize) * (roomSize - 1);
    for (auto _ : state) {
        const qint64 target = received + perRound * relayedBytes;
        for (const auto &client : clients) {
            client->write(line);
            client->flush();
        }
        if (!runUntil([&] { return received >= target; })) {
            state.SkipWithError("a round did not finish");
            break;
        }
    }
    state.counters[bench::MessagesPerSecond]
        = benchmark::Counter(double(state.iterations() * perRound), benchmark::Counter::kIsRate);
    state.counters["clients"] = server.clientCount();
}

// Both relays alike: 16- and 1000-byte lines in a room of 200, 16-byte lines
// in rooms of 50 and 400; three rounds of half a second.
void relaySettings(benchmark::internal::Benchmark *b)
{
    b->Args({16, 200})->Args({1000, 200})->Args({16, 50})->Args({16, 400});
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5)->Repetitions(3);
}

} // namespace

BENCHMARK_TEMPLATE(relay, OurServer)->Name("relay")->Apply(relaySettings);
BENCHMARK_TEMPLATE(relay, BareRelay)->Name("bareRelay")->Apply(relaySettings);
const bench::Compare shortLines({.label = "livehelpd relay, 16-byte lines",
                                 .floorIs = "bare Qt relay, same bytes",
                                 .ours = "relay/16/200",
                                 .floor = "bareRelay/16/200",
                                 .quantity = bench::Quantity::MessageRate});
const bench::Compare longLines({.label = "livehelpd relay, 1000-byte lines",
                                .floorIs = "bare Qt relay, same bytes",
                                .ours = "relay/1000/200",
                                .floor = "bareRelay/1000/200",
                                .quantity = bench::Quantity::MessageRate});
const bench::Compare smallRoom({.label = "livehelpd relay, room of 50",
                                .floorIs = "bare Qt relay, same bytes",
                                .ours = "relay/16/50",
                                .floor = "bareRelay/16/50",
                                .quantity = bench::Quantity::MessageRate});
const bench::Compare largeRoom({.label = "livehelpd relay, room of 400",
                                .floorIs = "bare Qt relay, same bytes",
                                .ours = "relay/16/400",
                                .floor = "bareRelay/16/400",
                                .quantity = bench::Quantity::MessageRate});
