// libFuzzer target: the bitmap reader (our header checks in front of Qt's
// BMP decoder) on arbitrary bytes.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "platform/Error.h"
#include "platform/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = platform::ReadBmp(bytes, 4'000'000);
        if (image.format() != QImage::Format_RGB32) __builtin_trap();
    } catch (const platform::Error&) {
    }
    return 0;
}
