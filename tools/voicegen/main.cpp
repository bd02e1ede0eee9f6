// kesp-voicegen: speaks every card name in the ten voice languages with espeak-ng into WAV files
// named card token + "Voice" + language code ("Pi5AVoiceFra.wav") and writes the resource file
// that lists them, from which rcc makes the voice library.
// Usage: kesp-voicegen <folder> [<espeak-ng program>]
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <cstdio>

#include "card_names.h"

namespace {

bool Speak(const QString& espeak, const char* voice, const std::string& text, const QString& wavPath) {
    QProcess process;
    process.start(espeak, {QStringLiteral("-v"), QString::fromLatin1(voice), QStringLiteral("-w"), wavPath,
                           QString::fromStdString(text)});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return false;
    return QFileInfo(wavPath).size() > 1000;  // more than a header: something was said
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kesp-voicegen <folder> [<espeak-ng program>]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString espeak = argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("espeak-ng");
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "kesp-voicegen: cannot create %s\n", argv[1]);
        return 1;
    }
    QString qrc = QStringLiteral("<RCC>\n  <qresource prefix=\"/\">\n");
    for (int language = 0; language < voicegen::kLanguages; ++language)
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < voicegen::kRanks; ++rank) {
                const QString file =
                    QString::fromLatin1(voicegen::kSuitTokens[suit]) +
                    QString::fromLatin1(voicegen::kRankTokens[rank]) + QStringLiteral("Voice") +
                    QString::fromLatin1(voicegen::kLanguageCodes[language]) + QStringLiteral(".wav");
                const std::string text = voicegen::CardName(language, suit, rank);
                if (!Speak(espeak, voicegen::kEspeakVoices[language], text, folder.filePath(file))) {
                    std::fprintf(stderr, "kesp-voicegen: espeak-ng could not say \"%s\"\n", text.c_str());
                    return 1;
                }
                qrc += QStringLiteral("    <file>") + file + QStringLiteral("</file>\n");
            }
    qrc += QStringLiteral("  </qresource>\n</RCC>\n");
    QSaveFile out(folder.filePath(QStringLiteral("voices.qrc")));
    if (!out.open(QIODevice::WriteOnly) || out.write(qrc.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "kesp-voicegen: cannot write the resource list\n");
        return 1;
    }
    return 0;
}
