// Relaying through the Live Help server: 200 loopback clients on one
// in-process server without a gap. In each round every client sends one
// line, and the round ends when every client has received the lines of all
// the others: 200 x 199 relayed messages a round. Clients and server share
// one thread, so the rate includes the clients' reading. Peak memory is the
// whole process's (server and clients) as the kernel reports it.

#include "livehelpd/ChatServer.h"
#include "livehelpd/Protocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Clients = 200;
constexpr int RoundSeconds = 60;

double peakMebibytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

// Runs the event loop until done() holds; false after RoundSeconds. The
// timer only wakes the loop up to look at the clock.
template<typename Done>
bool runUntil(Done done)
{
    const QDeadlineTimer deadline(RoundSeconds * 1000);
    QTimer wakeUp;
    wakeUp.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void relay(benchmark::State &state)
{
    const qsizetype lineBytes = qsizetype(state.range(0));
    livehelpd::Settings settings;
    settings.gapMs = 0;
    // What is measured is relaying, not the guard against floods.
    settings.maxChunksPerSecond = 1'000'000;
    livehelpd::ChatServer server(settings);
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("cannot listen");
        return;
    }

    // Names of one length, so that every relayed message has one size and
    // arrivals can be counted in bytes whatever the reads are.
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    std::vector<QByteArray> tails(Clients);
    qint64 received = 0;
    for (int i = 0; i < Clients; ++i) {
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
    if (!ready || !runUntil([&] { return server.names().size() == Clients; })) {
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
    const qint64 perRound = qint64(Clients) * (Clients - 1);
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
    state.counters["messages/s"] =
        benchmark::Counter(double(state.iterations() * perRound), benchmark::Counter::kIsRate);
    state.counters["peak_MiB"] = peakMebibytes();
    state.counters["clients"] = server.clientCount();
}

} // namespace

BENCHMARK(relay)->Arg(16)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
