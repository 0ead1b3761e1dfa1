#pragma once

#include "platform/platform.h"

#include <QByteArray>

namespace veltrix {

// The program's sounds through winmm. The volume is the program's own: it is
// applied to the samples of every sound played, never to the system mixer.
class WinmmAudio : public Audio {
public:
    WinmmAudio() = default;
    ~WinmmAudio() override;

    std::optional<quint32> waveVolume() override;
    bool setWaveVolume(quint32 volume) override;
    bool playSound(const QString &name) override;

private:
    quint32 m_volume = 0xFFFFFFFF;
    // The image being played: PlaySound reads it while it plays.
    QByteArray m_playing;
};

} // namespace veltrix
