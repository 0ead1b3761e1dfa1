#pragma once

// The built-in alarm sounds and the little WAV handling every system's
// sound piece shares: find a sound, read its PCM format, scale it to the
// program's own volume and wrap it again for calls that take a whole image.

#include <QByteArray>
#include <QString>
#include <optional>

namespace veltrix {

// The WAV image of a built-in sound, looked up by name without regard to
// case ("timer1" finds TIMER1); empty when there is none.
QByteArray builtInSound(const QString &name);

// The format and the sample frames of a PCM WAV image.
struct PcmSound {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples; // the data chunk, whole frames only
};

// The PCM format and samples of a WAV image; nullopt when it is not PCM WAV
// the program can play (8 or 16 bits, one or two channels).
std::optional<PcmSound> parseWav(const QByteArray &wav);

// The samples scaled by volume (0..65535 per channel: low word left, high
// word right), 8- and 16-bit PCM. The channel values are loudness as the
// volume slider shows it; a mono sound takes the mean of both channels.
QByteArray scaledSamples(const PcmSound &sound, quint32 volume);

// A WAV image with these samples in the sound's format (for system calls
// that take a whole image).
QByteArray wavImage(const PcmSound &sound, const QByteArray &samples);

} // namespace veltrix
