#include "winmmaudio.h"

#include "platform/wavsound.h"

#include <windows.h>
#include <mmsystem.h>

namespace veltrix {

namespace {

bool hasOutputDevice()
{
    return waveOutGetNumDevs() > 0;
}

void stopPlaying()
{
    PlaySoundW(nullptr, nullptr, 0);
}

} // namespace

WinmmAudio::~WinmmAudio()
{
    if (!m_playing.isEmpty())
        stopPlaying();
}

std::optional<quint32> WinmmAudio::waveVolume()
{
    if (!hasOutputDevice())
        return std::nullopt;
    return m_volume;
}

bool WinmmAudio::setWaveVolume(quint32 volume)
{
    if (!hasOutputDevice())
        return false;
    m_volume = volume;
    return true;
}

bool WinmmAudio::playSound(const QString &name)
{
    const QByteArray wav = builtInSound(name);
    if (wav.isEmpty())
        return false;
    // Without an output device there is nothing to ask: stay silent.
    if (!hasOutputDevice())
        return true;
    const std::optional<PcmSound> sound = parseWav(wav);
    if (!sound)
        return true;
    // The old image may be read until its sound is stopped.
    if (!m_playing.isEmpty())
        stopPlaying();
    m_playing = wavImage(*sound, scaledSamples(*sound, m_volume));
    PlaySoundW(reinterpret_cast<LPCWSTR>(m_playing.constData()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    return true;
}

} // namespace veltrix
