#pragma once

#include "platform/platform.h"

#include <memory>

class QSoundEffect;

namespace veltrix {

// The program's sounds on Qt Multimedia. The volume is the program's own:
// it is kept here and applied to every sound played, not to the system mixer.
class QtAudio : public Audio {
public:
    QtAudio();
    ~QtAudio() override;

    std::optional<quint32> waveVolume() override;
    bool setWaveVolume(quint32 volume) override;
    bool playSound(const QString &name) override;

    // The resource path of the built-in sound of that name (any case),
    // empty when there is none.
    static QString soundResource(const QString &name);

private:
    static bool hasOutputDevice();
    float effectVolume() const;

    quint32 m_volume = 0xFFFFFFFF;
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace veltrix
