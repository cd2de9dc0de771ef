// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFileSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using quartet::KeyFileSettingsStore;

// A store in a fresh folder of the temporary folder's disk, holding bytes.
struct StoreOnDisk {
    explicit StoreOnDisk(const QByteArray& bytes)
    {
        QDir().mkpath(dir.filePath("Quartet"));
        QFile file(dir.filePath("Quartet/Quartet.ini"));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QTemporaryDir dir;
    KeyFileSettingsStore store{dir.path()};
};

// A [General] group and line, repeated up to the largest store that is read.
QByteArray filled(const QByteArray& line)
{
    QByteArray bytes = "[General]\nMaxVal=13\n";
    while (bytes.size() + line.size() <= static_cast<qsizetype>(KeyFileSettingsStore::kMaxFileSize))
        bytes += line;
    return bytes;
}

// One save of the settings command: read, changed, written beside the store,
// flushed to the disk and renamed over it.
void BM_Save(benchmark::State& state)
{
    StoreOnDisk disk("[General]\nMaxVal=13\n");
    int saves = 0;
    for (auto _ : state)
        disk.store.SaveSetting("Quartet", "General", "MaxVal", QString::number(10 + saves++ % 2));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// The read at start-up: of the store as the program writes it, and of the
// largest stores, which GLib reads whole, or line by line where one line
// keeps it from reading them whole.
void BM_Load(benchmark::State& state, const QByteArray& bytes)
{
    StoreOnDisk disk(bytes);
    for (auto _ : state) {
        QString value = disk.store.GetSetting("Quartet", "General", "MaxVal", "9");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK_CAPTURE(BM_Load, written_by_program, QByteArray("[General]\nMaxVal=13\n"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Load, keys_1MiB, filled("Key=value\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, keys_and_bad_lines_1MiB, filled("Key=value\nbad\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, bad_lines_1MiB, filled("x\n"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
