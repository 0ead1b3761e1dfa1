#pragma once

#include "platform/platform.h"

#include <memory>

namespace veltrix {

// The program's sounds through the desktop's sound server (its own client
// library, which PulseAudio and PipeWire both serve). The volume is the
// program's own: it scales the samples played and never touches the
// server's volumes. Without a server the program stays silent; a server
// that goes away is dropped and asked again at the next call.
class PulseAudio : public Audio {
public:
    PulseAudio();
    ~PulseAudio() override;

    std::optional<quint32> waveVolume() override;
    bool setWaveVolume(quint32 volume) override;
    bool playSound(const QString &name) override;

private:
    struct Server;
    std::unique_ptr<Server> m_server;
    quint32 m_volume = 0xFFFFFFFF;
};

} // namespace veltrix
