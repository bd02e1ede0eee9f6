#include "presentation/wav_data.h"

#include <QtEndian>

namespace kesp {
namespace {

quint32 Read32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint16 Read16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

}  // namespace

qint64 WavData::DurationMs() const {
    const qint64 frameBytes = qint64(channels) * bitsPerSample / 8;
    if (frameBytes <= 0 || sampleRate <= 0) return 0;
    return samples.size() / frameBytes * 1000 / sampleRate;
}

std::optional<WavData> ParseWav(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;
    WavData wav;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = Read32(file, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = file.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < 16) return std::nullopt;
            if (Read16(file, body) != 1) return std::nullopt;  // PCM only
            wav.channels = Read16(file, body + 2);
            wav.sampleRate = static_cast<int>(Read32(file, body + 4));
            wav.bitsPerSample = Read16(file, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return std::nullopt;
            // A data chunk whose size runs past the end (a cut file) keeps what is there.
            wav.samples = file.mid(body, qsizetype(std::min<qint64>(size, available)));
            break;
        }
        at = body + qsizetype(size) + (size & 1);  // chunks are padded to even sizes
    }
    const bool supported = haveFormat && (wav.channels == 1 || wav.channels == 2) &&
                           (wav.bitsPerSample == 8 || wav.bitsPerSample == 16) && wav.sampleRate >= 1000 &&
                           wav.sampleRate <= 192000;
    if (!supported || wav.samples.isEmpty()) return std::nullopt;
    const int frameBytes = wav.channels * wav.bitsPerSample / 8;
    wav.samples.truncate(wav.samples.size() / frameBytes * frameBytes);
    return wav;
}

}  // namespace kesp
