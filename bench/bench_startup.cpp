// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole process starts: wall time from spawning a fresh process until its
// window has painted for the first time. "program" starts as app/main.cpp
// does (application set-up, registerWindowKinds, show the main window). Its
// floor, "floor", has the same application set-up and shows a plain QWidget
// of the main window's size. "textFloor" adds one text label to that widget,
// for information: the first text drawn sets up the font database, which no
// window with text avoids.
//
// This program is its own child (--child=program, --child=floor=WxH,
// --child=text=WxH): the child, on the platform QT_QPA_PLATFORM names
// (offscreen unless set; xcb on a real X server is what a user sees), writes one line
// to stdout once that first paint is done and exits at once. Each
// repetition is one start; peak_MiB is that child's peak resident memory.

#include "BenchRun.h"
#include "app/Startup.h"
#include "app/WindowKinds.h"
#include "app/WindowManager.h"
#include "forms/ShellForms.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr char ChildFlag[] = "--child=";
constexpr int ChildTimeoutMs = 30'000;

// Reports the first paint of a top-level window and ends the process. The
// report is queued because the window's children paint after the window
// itself, in the same pass.
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            const QSize size = static_cast<QWidget *>(watched)->size();
            QMetaObject::invokeMethod(
                this,
                [size] {
                    std::printf("painted %d %d\n", size.width(), size.height());
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

int runChild(int argc, char **argv, const std::string &mode)
{
    QApplication app(argc, argv);
    app::setUpApplication(); // as main() does, so that the floor pays for it too
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);

    std::optional<app::WindowManager> windows;
    std::optional<QWidget> plain;
    char kind[8] = {};
    int width = 0;
    int height = 0;
    if (mode == "program") {
        windows.emplace();
        app::registerWindowKinds(*windows, {QCoreApplication::applicationDirPath()});
        windows->show(forms::MainWindowName);
    } else if (std::sscanf(mode.c_str(), "%7[a-z]=%dx%d", kind, &width, &height) == 3
               && (std::strcmp(kind, "floor") == 0 || std::strcmp(kind, "text") == 0)) {
        plain.emplace();
        plain->resize(width, height);
        if (std::strcmp(kind, "text") == 0)
            new QLabel(QStringLiteral("Fyzorin"), &*plain);
        plain->show();
    } else {
        std::fprintf(stderr, "unknown child mode %s\n", mode.c_str());
        return 2;
    }
    return QApplication::exec();
}

struct Start {
    bool painted = false;
    double seconds = 0;
    double peakMebibytes = 0;
    int width = 0;
    int height = 0;
};

std::string self;
std::string windowSize; // "WxH", the main window's size

// Spawns "self --child=mode" and times it from just before the spawn until
// its report arrives.
Start startChild(const std::string &mode)
{
    Start start;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return start;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::string flag = ChildFlag + mode;
    char *childArgv[] = {self.data(), flag.data(), nullptr};

    const auto began = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string report;
    bool timedOut = false;
    if (spawned == 0) {
        // A child that never paints must not hang the run.
        pollfd reader{pipeEnds[0], POLLIN, 0};
        char buffer[128];
        ssize_t got = 0;
        while (report.find('\n') == std::string::npos) {
            int ready = 0;
            while ((ready = poll(&reader, 1, ChildTimeoutMs)) < 0 && errno == EINTR) { }
            if (ready <= 0) {
                timedOut = true;
                kill(child, SIGKILL);
                break;
            }
            if ((got = read(pipeEnds[0], buffer, sizeof buffer)) <= 0)
                break;
            report.append(buffer, std::size_t(got));
        }
    }
    const auto ended = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    if (spawned != 0)
        return start;

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return start;
    start.painted = std::sscanf(report.c_str(), "painted %d %d", &start.width, &start.height) == 2;
    start.seconds = std::chrono::duration<double>(ended - began).count();
    start.peakMebibytes = double(usage.ru_maxrss) / 1024; // ru_maxrss is in KiB on Linux
    return start;
}

// kind: "program", or a floor's name to which the window size is added.
void startToFirstPaint(benchmark::State &state, const char *kind)
{
    const std::string mode = std::strcmp(kind, "program") == 0 ? kind : kind + ('=' + windowSize);
    Start start;
    for (auto _ : state) {
        start = startChild(mode);
        if (!start.painted) {
            state.SkipWithError("the child did not report its first paint");
            break;
        }
        state.SetIterationTime(start.seconds);
    }
    state.counters[bench::PeakMebibytes] = start.peakMebibytes;
}

// The table's rows for the platform of this run. The start on a real X
// server is what a user waits for, so that is where the target is; the
// table runs it on Xvfb.
void declareComparisons()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x = platform == "xcb";
    const std::string where = x ? "X server (Xvfb)" : platform.toStdString();
    bench::compare({.label = "Start to first painted main window, " + where,
                    .floorIs = "empty window, same set-up",
                    .ours = "startToFirstPaint/program",
                    .floor = "startToFirstPaint/floor",
                    .target = x ? std::optional(1.5) : std::nullopt});
    bench::compare({.label = "Start to first painted main window, " + where,
                    .floorIs = "the same with one text label",
                    .ours = "startToFirstPaint/program",
                    .floor = "startToFirstPaint/textFloor"});
    bench::compare({.label = "Peak memory of that start, " + where,
                    .floorIs = "empty window, same set-up",
                    .ours = "startToFirstPaint/program",
                    .floor = "startToFirstPaint/floor",
                    .quantity = bench::Quantity::PeakMemory});
}

} // namespace

BENCHMARK_CAPTURE(startToFirstPaint, program, "program")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startToFirstPaint, floor, "floor")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startToFirstPaint, textFloor, "text")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strncmp(argv[1], ChildFlag, std::strlen(ChildFlag)) == 0)
        return runChild(argc, argv, argv[1] + std::strlen(ChildFlag));

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    declareComparisons();
    if (bench::listComparisons(argc, argv))
        return 0;
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        std::perror("/proc/self/exe");
        return 1;
    }
    self.assign(path.data(), std::size_t(length));

    // One start of each kind before measuring, so that no sample pays for
    // cold caches; the first also gives the floor its size.
    const Start program = startChild("program");
    if (!program.painted) {
        std::fprintf(stderr, "the program did not start and paint\n");
        return 1;
    }
    windowSize = std::to_string(program.width) + 'x' + std::to_string(program.height);
    for (const char *floor : {"floor", "text"}) {
        if (!startChild(floor + ('=' + windowSize)).painted) {
            std::fprintf(stderr, "the %s floor did not start and paint\n", floor);
            return 1;
        }
    }

    return runBenchmarks(argc, argv, {"--benchmark_repetitions=100"});
}
