// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// livehelpd: the Live Help chat server. Listens on one or more addresses
// (127.0.0.1 unless told otherwise) until SIGTERM or SIGINT, then closes
// every connection and exits 0. Every server setting is an option. The log
// (each connect and disconnect, and the stop) goes to stderr, one line each,
// stamped in UTC, so that journald or a redirect keeps it as it is.

#include "livehelpd/ChatServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QHostAddress>
#include <QHostInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <type_traits>
#include <unistd.h>
#include <vector>

namespace {

using livehelpd::Settings;

constexpr int UsageError = 2;
constexpr int ListenError = 1;

void printLine(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

// A message of the program itself, as opposed to a line of the log.
void say(const QString &message) { printLine(QStringLiteral("livehelpd: ") + message); }

void writeLog(const QString &line)
{
    printLine(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) + u' ' + line);
}

std::optional<qint64> integerOption(const QCommandLineParser &parser, const QString &name, qint64 lowest,
                                    qint64 highest)
{
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < lowest || value > highest) {
        say(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                .arg(name)
                .arg(lowest)
                .arg(highest)
                .arg(parser.value(name)));
        return std::nullopt;
    }
    return value;
}

// A numeric setting on the command line; fields are int, qsizetype or qint64,
// so values travel as qint64 and the bounds keep them within the field.
struct NumberOption {
    QString name, description;
    qint64 (*get)(const Settings &);
    void (*set)(Settings &, qint64);
    qint64 lowest, highest;
};

template<auto Field>
NumberOption numberOption(const char *name, const char *description, qint64 lowest, qint64 highest)
{
    using Value = std::remove_cvref_t<decltype(std::declval<Settings>().*Field)>;
    Q_ASSERT(highest <= std::numeric_limits<Value>::max());
    return {QLatin1String(name),
            QLatin1String(description),
            [](const Settings &s) -> qint64 { return s.*Field; },
            [](Settings &s, qint64 value) { s.*Field = Value(value); },
            lowest,
            highest};
}

std::vector<NumberOption> numberOptions()
{
    constexpr qint64 Day = qint64{24} * 60 * 60, MiB = qint64{1024} * 1024;
    return {
        numberOption<&Settings::gapMs>("gap-ms", "Least time between two messages to one client, in ms.", 0, 60'000),
        numberOption<&Settings::maxClients>("max-clients", "Most clients connected at once.", 1, 100'000),
        numberOption<&Settings::maxPerAddress>(
            "max-per-address", "Most clients connected at once from one address (a class behind one router).", 1,
            100'000),
        numberOption<&Settings::nameTimeoutMs>(
            "name-timeout-ms", "Time a client has to send its name before it is cut off, in ms (0: no limit).", 0,
            Day * 1000),
        numberOption<&Settings::maxMessageBytes>(
            "max-message-bytes", "Longest message relayed, sender's name included, in bytes.", 64, 64 * MiB),
        numberOption<&Settings::pieceTimeoutMs>(
            "piece-timeout-ms", "Time within which a piece continues the message before it, in ms.", 0, 60'000),
        numberOption<&Settings::maxNameBytes>("max-name-bytes", "Names are cut to this many bytes.", 1, 4096),
        numberOption<&Settings::maxChunksPerSecond>(
            "max-messages-per-second", "Messages a client may send at once, and then in each second.", 1, 100'000),
        numberOption<&Settings::maxBytesWithoutMessage>("max-bytes-without-message",
                                                        "Bytes a client may send that are neither its name nor a line.",
                                                        0, MiB * 1024 * 1024),
        numberOption<&Settings::maxQueuedMessages>("max-queued-messages", "Lines that may wait for one client.", 1,
                                                   1'000'000),
        numberOption<&Settings::maxQueuedBytes>("max-queued-bytes", "Bytes that may wait for one client.", 1024,
                                                1024 * MiB),
        numberOption<&Settings::socketSendBufferBytes>(
            "send-buffer-bytes", "Kernel send buffer of each client, in bytes (0: the system's).", 0, 64 * MiB),
        // Linux takes at most 32767 s and 127 probes.
        numberOption<&Settings::keepAliveIdleSeconds>(
            "keepalive-idle", "Idle seconds before TCP keep-alive probes a client (0: no keep-alive).", 0, 32767),
        numberOption<&Settings::keepAliveIntervalSeconds>("keepalive-interval", "Seconds between keep-alive probes.", 1,
                                                          32767),
        numberOption<&Settings::keepAliveProbes>("keepalive-probes",
                                                 "Unanswered keep-alive probes before a client is cut off.", 1, 127),
        numberOption<&Settings::userTimeoutMs>(
            "user-timeout-ms", "Time data sent to a client may stay unacknowledged, in ms (0: no limit).", 0,
            Day * 1000),
    };
}

// The addresses one --listen value stands for; nullopt (told) if none.
std::optional<QList<QHostAddress>> listenAddresses(const QString &text)
{
    if (text.compare(QLatin1String("any"), Qt::CaseInsensitive) == 0)
        return QList{QHostAddress(QHostAddress::Any)};
    if (text.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return QList{QHostAddress(QHostAddress::LocalHost)};
    QHostAddress address;
    if (address.setAddress(text))
        return QList{address};
    const QHostInfo info = QHostInfo::fromName(text);
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        say(QStringLiteral("--listen: cannot resolve \"%1\": %2").arg(text, info.errorString()));
        return std::nullopt;
    }
    return info.addresses();
}

// An address the server listens on, as its messages show it ("*": every address).
QString listenText(const QHostAddress &address, quint16 port)
{
    return address == QHostAddress::Any ? QStringLiteral("*:%1").arg(port) : livehelpd::endpointText(address, port);
}

// SIGTERM and SIGINT only write a byte here; the event loop reads it.
int stopPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[1], &byte, 1); // if full, a stop is pending anyway
    errno = savedErrno;
}

bool catchStopSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, stopPipe) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("livehelpd"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LIVEHELPD_VERSION));

    const Settings defaults;
    const std::vector<NumberOption> settingOptions = numberOptions();
    const auto withDefault = [](const QString &description, const QString &value) {
        return description + QStringLiteral(" (default: %1)").arg(value);
    };
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Live Help chat server for Fyzorin.\n"
        "It serves only this computer (127.0.0.1) unless told otherwise: --listen any serves every address, "
        "IPv4 and IPv6; --listen may be given several times. Stops on SIGTERM or SIGINT."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("port"),
                      withDefault(QStringLiteral("TCP port to listen on (0: any free port)."), QStringLiteral("8765")),
                      QStringLiteral("N"), QStringLiteral("8765")});
    parser.addOption({QStringLiteral("listen"),
                      withDefault(QStringLiteral("Address to listen on: any, localhost, an IP address or a host name "
                                                 "(all its addresses)."),
                                  QStringLiteral("127.0.0.1")),
                      QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1")});
    for (const NumberOption &option : settingOptions) {
        const QString value = QString::number(option.get(defaults));
        parser.addOption({option.name, withDefault(option.description, value), QStringLiteral("N"), value});
    }
    parser.addOption({QStringLiteral("log-messages"),
                      withDefault(QStringLiteral("Log every relayed line too."), QStringLiteral("off"))});
    if (!parser.parse(QCoreApplication::arguments())) {
        say(parser.errorText());
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        say(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst()));
        return UsageError;
    }

    // Every bad value is told before giving up.
    Settings settings;
    bool valid = true;
    const auto port = integerOption(parser, QStringLiteral("port"), 0, 65535);
    valid = valid && port;
    for (const NumberOption &option : settingOptions) {
        const auto value = integerOption(parser, option.name, option.lowest, option.highest);
        if (value)
            option.set(settings, *value);
        valid = valid && value;
    }
    settings.logMessages = parser.isSet(QStringLiteral("log-messages"));
    QList<QHostAddress> addresses;
    for (const QString &text : parser.values(QStringLiteral("listen"))) {
        const auto found = listenAddresses(text);
        valid = valid && found;
        for (const QHostAddress &address : found.value_or(QList<QHostAddress>()))
            if (!addresses.contains(address)) // a name may stand for an address also given
                addresses.append(address);
    }
    if (!valid || !port) // valid covers port; said again for clang-tidy's optional check
        return UsageError;

    if (!catchStopSignals()) {
        say(QStringLiteral("cannot catch SIGTERM: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return ListenError;
    }
    QSocketNotifier stopNotifier(stopPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });

    auto server = std::make_unique<livehelpd::ChatServer>(settings);
    QObject::connect(server.get(), &livehelpd::ChatServer::logLine, server.get(), writeLog);
    auto listenPort = quint16(*port);
    QStringList listening;
    for (const QHostAddress &address : addresses) {
        if (!server->listen(address, listenPort)) {
            say(QStringLiteral("cannot listen on %1: %2").arg(listenText(address, listenPort), server->errorString()));
            return ListenError;
        }
        listenPort = server->serverPort(); // with port 0, all on the port the first one got
        listening.append(listenText(address, listenPort));
    }
    say(QStringLiteral("listening on %1 (gap %2 ms, at most %3 clients, %4)")
            .arg(listening.join(QLatin1String(", ")))
            .arg(settings.gapMs)
            .arg(settings.maxClients)
            .arg(settings.nameTimeoutMs > 0 ? QStringLiteral("name within %1 ms").arg(settings.nameTimeoutMs)
                                            : QStringLiteral("no time limit for the name")));
    const int status = app.exec();

    // Taking the server apart aborts every connection.
    const int connected = server->clientCount();
    server.reset();
    writeLog(QStringLiteral("stopped (%1 clients connected)").arg(connected));
    return status;
}
