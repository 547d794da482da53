// Loading the dictionary into its window until the window has painted, for
// files of 1, 10 and 50 MB, against two floors measured in the same run:
// reading and decoding the file alone, and a fresh bare text widget taking
// the same text.

#include "dictionary/DictionaryFile.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "forms/WindowBuilder.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// One folder per size, each holding a dictionary file of that many megabytes
// made of dictionary-like lines.
QString folderFor(int megabytes)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto &folder = folders[megabytes];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        QByteArray bytes;
        const QByteArray entry = "Wavelength - the distance over which a wave repeats itself; for light "
                                 "lambda = c / f. Unit metre (m); visible light spans 380-750 nm.\r\n\r\n";
        bytes.reserve(megabytes * 1024 * 1024 + entry.size());
        while (bytes.size() < megabytes * 1024 * 1024)
            bytes += entry;
        QFile file(dictionary::dictionaryPath(folder->path()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    return folder->path();
}

void load(benchmark::State &state)
{
    const QString folder = folderFor(int(state.range(0)));
    auto window = forms::buildWindow(forms::dictionaryDefinition());
    window->show();
    QWidget *text = forms::findControl(window.get(), QStringLiteral("Text1"));
    for (auto _ : state) {
        forms::setControlText(text, dictionary::readDictionary(folder));
        window->repaint();
    }
}

void readAndDecode(benchmark::State &state)
{
    const QString folder = folderFor(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionary::readDictionary(folder));
}

void bareWidget(benchmark::State &state)
{
    const QString text = dictionary::readDictionary(folderFor(int(state.range(0))));
    for (auto _ : state) {
        QPlainTextEdit widget;
        widget.resize(529, 465);
        widget.show();
        widget.setPlainText(text);
        widget.repaint();
    }
}

} // namespace

BENCHMARK(load)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(readAndDecode)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(bareWidget)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);
