// libFuzzer target: the JPEG decoder on arbitrary bytes. Any outcome but a
// decoded picture or platform::Error is a fault (the sanitizer reports
// memory errors, libFuzzer reports crashes, hangs and runaway memory).
#include <cstddef>
#include <cstdint>

#include "platform/Error.h"
#include "platform/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A lower pixel limit than the program's keeps each run small and fast;
    // the limit check itself is the same code.
    platform::JpegDecodeOptions options{4'000'000, 8192, 1};
    for (int denom : {1, 8}) {
        options.scaleDenom = denom;
        try {
            const QImage image = platform::DecodeJpeg(data, size, options);
            if (image.format() != QImage::Format_RGB32) __builtin_trap();
        } catch (const platform::Error&) {
        }
    }
    return 0;
}
