// Reading a WAV file held in memory: the PCM format and the samples, for playing from memory.
#pragma once

#include <QByteArray>
#include <optional>

namespace kesp {

struct WavData {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
    QByteArray samples;     // the "data" chunk, cut to whole frames

    // How long the samples play, in milliseconds.
    qint64 DurationMs() const;
};

// The PCM content of a RIFF/WAVE file with 8- or 16-bit samples, 1 or 2 channels; nothing for any
// other or damaged file.
std::optional<WavData> ParseWav(const QByteArray& file);

}  // namespace kesp
