// livehelpd: the Live Help chat server. Listens until it is stopped and logs
// every connect and disconnect to stderr.

#include "livehelpd/ChatServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QHostAddress>
#include <cstdio>
#include <optional>

namespace {

constexpr int UsageError = 2;
constexpr int ListenError = 1;

void printLine(const QString &line) { std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData()); }

// A message of the program itself, as opposed to a line of the log.
void say(const QString &message) { printLine(QStringLiteral("livehelpd: ") + message); }

std::optional<int> integerOption(const QCommandLineParser &parser, const QString &name, int lowest, int highest)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
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

std::optional<QHostAddress> addressOption(const QString &text)
{
    if (text.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return QHostAddress(QHostAddress::LocalHost);
    QHostAddress address;
    if (!address.setAddress(text)) {
        say(QStringLiteral("--listen must be an IP address, not \"%1\"").arg(text));
        return std::nullopt;
    }
    return address;
}

QString hostText(const QHostAddress &address)
{
    return address.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + address.toString() + u']' : address.toString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("livehelpd"));

    const livehelpd::Settings defaults;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Live Help chat server for Fyzorin."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("TCP port to listen on (0: any free port)."), QStringLiteral("N"),
         QStringLiteral("8765")},
        {QStringLiteral("listen"), QStringLiteral("Address to listen on."), QStringLiteral("ADDRESS"),
         QStringLiteral("127.0.0.1")},
        {QStringLiteral("gap-ms"), QStringLiteral("Least time between two messages to one client, in ms."),
         QStringLiteral("N"), QString::number(defaults.gapMs)},
        {QStringLiteral("max-clients"), QStringLiteral("Most clients connected at once."), QStringLiteral("N"),
         QString::number(defaults.maxClients)},
        {QStringLiteral("name-timeout-ms"),
         QStringLiteral("Time a client has to send its name before it is cut off, in ms (0: no limit)."),
         QStringLiteral("N"), QString::number(defaults.nameTimeoutMs)},
    });
    if (!parser.parse(QCoreApplication::arguments())) {
        say(parser.errorText());
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (!parser.positionalArguments().isEmpty()) {
        say(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst()));
        return UsageError;
    }

    const auto port = integerOption(parser, QStringLiteral("port"), 0, 65535);
    const auto gap = integerOption(parser, QStringLiteral("gap-ms"), 0, 60 * 1000);
    const auto maxClients = integerOption(parser, QStringLiteral("max-clients"), 1, 100000);
    const auto nameTimeout = integerOption(parser, QStringLiteral("name-timeout-ms"), 0, 24 * 60 * 60 * 1000);
    const auto address = addressOption(parser.value(QStringLiteral("listen")));
    if (!port || !gap || !maxClients || !nameTimeout || !address)
        return UsageError;

    livehelpd::Settings settings;
    settings.gapMs = *gap;
    settings.maxClients = *maxClients;
    settings.nameTimeoutMs = *nameTimeout;
    livehelpd::ChatServer server(settings);
    QObject::connect(&server, &livehelpd::ChatServer::logLine, &server, [](const QString &line) {
        printLine(QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + u' ' + line);
    });

    if (!server.listen(*address, quint16(*port))) {
        say(QStringLiteral("cannot listen on %1:%2: %3").arg(hostText(*address)).arg(*port).arg(server.errorString()));
        return ListenError;
    }
    say(QStringLiteral("listening on %1:%2 (gap %3 ms, at most %4 clients, %5)")
            .arg(hostText(*address))
            .arg(server.serverPort())
            .arg(settings.gapMs)
            .arg(settings.maxClients)
            .arg(settings.nameTimeoutMs > 0 ? QStringLiteral("name within %1 ms").arg(settings.nameTimeoutMs)
                                            : QStringLiteral("no time limit for the name")));
    return app.exec();
}
