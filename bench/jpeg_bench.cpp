// Loading a 4000 x 3000 JPEG file with the program's reader, against
// libjpeg-turbo's own djpeg decoding the same file in a child process.
// Reported as vs_djpeg = our time / djpeg's time (below 1 is faster).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>


#include "platform/PictureFile.h"
#include "tests/support/JpegWriter.h"

extern char** environ;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A photo-like picture: smooth gradients with fine texture, quality 90,
// 4:2:0 chroma, as cameras write them.
QByteArray MakePhotoJpeg() {
    unsigned seed = 12345;
    return MakeJpeg({.width = kWidth, .height = kHeight, .quality = 90, .pixel = [&seed](int x, int y) {
                         seed = seed * 1103515245u + 12345u;
                         const int noise = static_cast<int>((seed >> 16) & 15) - 8;
                         return std::vector<uint8_t>{
                             static_cast<uint8_t>(std::clamp(x * 255 / kWidth + noise, 0, 255)),
                             static_cast<uint8_t>(std::clamp(y * 255 / kHeight + noise, 0, 255)),
                             static_cast<uint8_t>(std::clamp(((x / 40 + y / 40) % 2) * 120 + 60 + noise, 0, 255))};
                     }});
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    Fixture() {
        path = dir.filePath("photo.jpg");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(MakePhotoJpeg()) < 0) std::abort();
    }
};

Fixture& Photo() {
    static Fixture f;
    return f;
}

double g_djpegSeconds = 0;  // mean per decode, from the reference run

void RunDjpeg(const std::string& path) {
    const char* argv[] = {"djpeg", "-outfile", "/dev/null", path.c_str(), nullptr};
    pid_t pid;
    if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) std::abort();
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
}

void BM_Djpeg_Reference(benchmark::State& state) {
    const std::string path = Photo().path.toStdString();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        RunDjpeg(path);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    g_djpegSeconds = total / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Djpeg_Reference)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadJpegFile(benchmark::State& state) {
    const QString path = Photo().path;
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        QImage img = platform::ReadJpegFile(path);
        benchmark::DoNotOptimize(img.constBits());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (img.width() != kWidth || img.height() != kHeight) state.SkipWithError("wrong size");
    }
    if (g_djpegSeconds > 0)
        state.counters["vs_djpeg"] = total / static_cast<double>(state.iterations()) / g_djpegSeconds;
}
BENCHMARK(BM_ReadJpegFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
