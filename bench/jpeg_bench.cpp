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

#include <jpeglib.h>

#include "platform/PictureFile.h"

extern char** environ;

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// A photo-like picture: smooth gradients with fine texture, quality 90,
// 4:2:0 chroma, as cameras write them.
QByteArray MakePhotoJpeg() {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = kWidth;
    c.image_height = kHeight;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(kWidth * 3);
    unsigned seed = 12345;
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 15) - 8;
            row[x * 3 + 0] = static_cast<unsigned char>(std::clamp(x * 255 / kWidth + noise, 0, 255));
            row[x * 3 + 1] = static_cast<unsigned char>(std::clamp(y * 255 / kHeight + noise, 0, 255));
            row[x * 3 + 2] = static_cast<unsigned char>(std::clamp(((x / 40 + y / 40) % 2) * 120 + 60 + noise, 0, 255));
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray data(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    free(out);
    return data;
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
