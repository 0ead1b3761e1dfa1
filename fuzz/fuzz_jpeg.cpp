// JPEG decoding of untrusted bytes: a picture or a null image, never a
// crash, a hang, a leak or a jump out of libjpeg past our frames.

#include "fuzzcheck.h"

#include "platform/jpegdecoder.h"

#include <QImage>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    LibJpegDecoder decoder;
    const QImage image = decoder.decodeJpeg(bytes);
    if (!image.isNull()) {
        FUZZ_CHECK(image.width() > 0 && image.height() > 0);
        FUZZ_CHECK(qint64(image.width()) * image.height() <= 64LL * 1024 * 1024);
        FUZZ_CHECK(image.format() == QImage::Format_RGB888);
    }
    return 0;
}
