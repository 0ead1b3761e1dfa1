#pragma once

#include "platform.h"

namespace veltrix {

// JPEG decoding on libjpeg, with an error manager of its own: broken or
// truncated data gives a null image instead of ending the process.
class LibJpegDecoder : public ImageDecoder {
public:
    QImage decodeJpeg(const QByteArray &data) override;
};

} // namespace veltrix
