#include "jpegdecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace veltrix {

namespace {

// Guards against a header announcing a picture far too big to allocate.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings;
};

[[noreturn]] void onError(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning about corrupt data: libjpeg would go on and fill
    // the rest with grey. Such a picture counts as broken.
    if (level < 0)
        ++reinterpret_cast<ErrorManager *>(info->err)->warnings;
}

void silentOutput(j_common_ptr) {}

// No C++ object with a destructor lives in this frame, so the longjmp out of
// libjpeg skips nothing that needs cleaning up.
bool decodeInto(const unsigned char *data, unsigned long size, QImage *out)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    err.base.output_message = silentOutput;
    err.warnings = 0;

    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || err.warnings > 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (qint64(cinfo.image_width) * cinfo.image_height > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    *out = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    const bool clean = err.warnings == 0;
    jpeg_destroy_decompress(&cinfo);
    return clean;
}

} // namespace

QImage LibJpegDecoder::decodeJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    QImage image;
    if (!decodeInto(reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()),
                    &image))
        return {};
    return image;
}

} // namespace veltrix
