#include "platform/JpegDecoder.h"

#include <QtEndian>
#include <csetjmp>
#include <cstdlib>
#include <sys/mman.h>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first; jerror.h after it, so
// that it sees the library's configuration.
#include <jpeglib.h>
#include <jerror.h>

#include "platform/Error.h"
#include "platform/PictureFile.h"

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "JCS_EXT_BGRA matches Format_RGB32 only on little-endian machines");

namespace platform {

namespace {

// More scans than any sensible progressive file has; hostile files with
// thousands of tiny scans would otherwise keep the decoder busy for minutes.
constexpr long kMaxScans = 1000;

// The library's error manager, extended with a jump target. The library
// calls OnError for fatal errors and OnMessage for warnings and traces; both
// jump back to the setjmp in the stage that is running.
struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct Progress {
    jpeg_progress_mgr pub;
    ErrorManager* err;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    JumpOut(cinfo);
}

// Warnings that mean the decoded picture would be partly made up: data cut
// short or entropy data the decoder had to skip. Other warnings (extraneous
// bytes between markers, unknown JFIF revision, odd progression, bad ICC
// marker) leave the picture intact.
bool WarningMakesPictureUnusable(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
#ifdef D_ARITH_CODING_SUPPORTED
        case JWRN_ARITH_BAD_CODE:
#endif
        case JWRN_MUST_RESYNC:
            return true;
        default:
            return false;
    }
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    if (WarningMakesPictureUnusable(cinfo->err->msg_code)) OnError(cinfo);
    cinfo->err->num_warnings++;
}

void OnProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* progress = reinterpret_cast<Progress*>(cinfo->progress);
        std::snprintf(progress->err->message, sizeof progress->err->message,
                      "Too many scans in a progressive JPEG file");
        JumpOut(cinfo);
    }
}

// Everything the stages share. Plain data only: the stages below call setjmp,
// and longjmp must not skip a destructor.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    Progress progress;
    bool created = false;
};

// Stage 1: create the decompressor and read the header. Returns false with
// err.message set on failure.
bool ReadHeaderStage(Decoder* d, const unsigned char* data, size_t size) {
    d->cinfo.err = jpeg_std_error(&d->err.pub);
    d->err.pub.error_exit = OnError;
    d->err.pub.emit_message = OnMessage;
    d->err.message[0] = '\0';
    if (setjmp(d->err.jump)) return false;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->progress.pub.progress_monitor = OnProgress;
    d->progress.err = &d->err;
    d->cinfo.progress = &d->progress.pub;
    if (size == 0) {
        std::snprintf(d->err.message, sizeof d->err.message, "Empty JPEG file");
        return false;
    }
    jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d->cinfo, TRUE);
    return true;
}

// Stage 2: choose the output colour space and scale, compute the output
// size.
bool PrepareStage(Decoder* d, int scaleDenom) {
    if (setjmp(d->err.jump)) return false;
    j_decompress_ptr cinfo = &d->cinfo;
    switch (cinfo->jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            cinfo->out_color_space = JCS_EXT_BGRA;  // fourth byte 0xFF
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo->out_color_space = JCS_CMYK;  // converted row by row below
            break;
        default:
            std::snprintf(d->err.message, sizeof d->err.message, "Unsupported JPEG colour space %d",
                          static_cast<int>(cinfo->jpeg_color_space));
            return false;
    }
    cinfo->scale_num = 1;
    cinfo->scale_denom = static_cast<unsigned>(scaleDenom);
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

// CMYK as stored to opaque BGRA. Files with an Adobe marker (Photoshop and
// most others) store the inks inverted, 255 meaning no ink; plain CMYK files
// store the ink amount.
void CmykRowToBgra(const JSAMPLE* in, unsigned char* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 4) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // c, m, y, k now tell how much light each ink lets through.
        out[0] = static_cast<unsigned char>((y * k + 127) / 255);
        out[1] = static_cast<unsigned char>((m * k + 127) / 255);
        out[2] = static_cast<unsigned char>((c * k + 127) / 255);
        out[3] = 0xFF;
    }
}

// Stage 3: decompress into the rows of the target image.
bool DecodeStage(Decoder* d, unsigned char* bits, qsizetype bytesPerLine) {
    if (setjmp(d->err.jump)) return false;
    j_decompress_ptr cinfo = &d->cinfo;
    jpeg_start_decompress(cinfo);
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    JSAMPARRAY cmykRows = nullptr;
    if (cmyk) {
        cmykRows = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                               cinfo->output_width * 4, cinfo->rec_outbuf_height);
    }
    const bool inverted = cinfo->saw_Adobe_marker;
    JSAMPROW rows[16];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION first = cinfo->output_scanline;
        JDIMENSION want = cinfo->output_height - first;
        if (want > 16) want = 16;
        JDIMENSION got;
        if (cmyk) {
            if (want > static_cast<JDIMENSION>(cinfo->rec_outbuf_height)) want = cinfo->rec_outbuf_height;
            got = jpeg_read_scanlines(cinfo, cmykRows, want);
            for (JDIMENSION i = 0; i < got; ++i)
                CmykRowToBgra(cmykRows[i], bits + (first + i) * bytesPerLine, cinfo->output_width, inverted);
        } else {
            for (JDIMENSION i = 0; i < want; ++i) rows[i] = bits + (first + i) * bytesPerLine;
            got = jpeg_read_scanlines(cinfo, rows, want);
        }
        if (got == 0) {
            // Only a suspending data source returns no rows; ours never does.
            std::snprintf(d->err.message, sizeof d->err.message, "JPEG decoder returned no data");
            return false;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// Owns the decompressor across the stages; its destructor runs only after
// the stage that called setjmp has returned.
class DecoderHolder {
public:
    DecoderHolder() : d_{} {}
    ~DecoderHolder() {
        if (d_.created) jpeg_destroy_decompress(&d_.cinfo);
    }
    DecoderHolder(const DecoderHolder&) = delete;
    DecoderHolder& operator=(const DecoderHolder&) = delete;
    Decoder* get() { return &d_; }

private:
    Decoder d_;
};

[[noreturn]] void Fail(const Decoder* d, const char* fallback) {
    const char* text = d->err.message[0] ? d->err.message : fallback;
    throw Error(QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(text));
}

// A Format_RGB32 image for the decoder to fill. Large pictures get their
// memory in huge pages where the system offers them: filling 48 MB of fresh
// small pages costs more page faults than the decoding itself.
QImage NewRgb32Image(int width, int height) {
    constexpr size_t kHugePage = size_t(2) << 20;
    const size_t bytesPerLine = size_t(width) * 4;
    const size_t bytes = bytesPerLine * size_t(height);
    if (bytes < 2 * kHugePage) return QImage(width, height, QImage::Format_RGB32);
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (!memory) return {};
#ifdef MADV_HUGEPAGE
    madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    QImage image(static_cast<uchar*>(memory), width, height, static_cast<qsizetype>(bytesPerLine),
                 QImage::Format_RGB32, [](void* p) { std::free(p); }, memory);
    if (image.isNull()) std::free(memory);
    return image;
}

}  // namespace

JpegDecodeOptions DefaultJpegOptions() { return JpegDecodeOptions{kMaxPicturePixels, kMaxPictureSide, 1}; }

QSize ReadJpegSize(const unsigned char* data, size_t size) {
    DecoderHolder holder;
    Decoder* d = holder.get();
    if (!ReadHeaderStage(d, data, size)) Fail(d, "Cannot read the JPEG header");
    return QSize(static_cast<int>(d->cinfo.image_width), static_cast<int>(d->cinfo.image_height));
}

QImage DecodeJpeg(const unsigned char* data, size_t size, const JpegDecodeOptions& options) {
    const int denom = options.scaleDenom;
    if (denom != 1 && denom != 2 && denom != 4 && denom != 8) throw Error(QStringLiteral("JPEG scale must be 1, 2, 4 or 8"));

    DecoderHolder holder;
    Decoder* d = holder.get();
    if (!ReadHeaderStage(d, data, size)) Fail(d, "Cannot read the JPEG header");

    // The header's size decides how much the library will allocate (a
    // progressive picture keeps every coefficient in memory): check it
    // before decompression starts.
    const int64_t w = d->cinfo.image_width;
    const int64_t h = d->cinfo.image_height;
    if (w < 1 || h < 1 || w > options.maxSide || h > options.maxSide || w * h > options.maxPixels)
        throw Error(QStringLiteral("JPEG picture too large: %1 x %2").arg(w).arg(h));

    if (!PrepareStage(d, denom)) Fail(d, "Cannot decode this JPEG file");

    QImage image = NewRgb32Image(static_cast<int>(d->cinfo.output_width), static_cast<int>(d->cinfo.output_height));
    if (image.isNull()) throw Error(QStringLiteral("Not enough memory for a %1 x %2 picture").arg(w).arg(h));

    if (!DecodeStage(d, image.bits(), image.bytesPerLine())) Fail(d, "Cannot decode this JPEG file");
    return image;
}

QImage DecodeJpeg(const QByteArray& data) {
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<size_t>(data.size()),
                      DefaultJpegOptions());
}

}  // namespace platform
