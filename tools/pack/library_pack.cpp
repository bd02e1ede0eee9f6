#include "library_pack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSet>

#include "presentation/art_names.h"

namespace kesp {
namespace {

QString Upper(const std::string& name) {
    return QString::fromStdString(name).toUpper();
}

QString XmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

}  // namespace

bool WriteResourceList(const QString& qrcPath, const QStringList& aliases, const QStringList& files) {
    QString list = QStringLiteral("<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    for (qsizetype i = 0; i < aliases.size() && i < files.size(); ++i)
        list += QStringLiteral("  <file alias=\"%1\">%2</file>\n")
                    .arg(XmlEscaped(aliases[i]), XmlEscaped(files[i]));
    list += QStringLiteral("</qresource>\n</RCC>\n");
    QSaveFile out(qrcPath);
    return out.open(QIODevice::WriteOnly) && out.write(list.toUtf8()) >= 0 && out.commit();
}

QString RccProgram() {
    const QString own = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
    return QFileInfo(own).isExecutable() ? own : QStringLiteral("rcc");
}

bool PackResourceList(const QString& qrcPath, const QString& libraryPath, QString& error) {
    const QString partial = libraryPath + QStringLiteral(".part");
    QFile::remove(partial);
    QProcess rcc;
    // Pictures are compressed already; rcc's own compression would only cost time.
    rcc.start(RccProgram(), {QStringLiteral("--binary"), QStringLiteral("--no-compress"),
                             QStringLiteral("-o"), partial, qrcPath});
    if (!rcc.waitForStarted(30000)) {
        error = QStringLiteral("cannot start rcc (%1): %2").arg(RccProgram(), rcc.errorString());
        return false;
    }
    // A library of thousands of pictures takes rcc a while on a busy machine.
    if (!rcc.waitForFinished(30 * 60 * 1000) || rcc.exitStatus() != QProcess::NormalExit ||
        rcc.exitCode() != 0) {
        error = QStringLiteral("rcc failed: %1")
                    .arg(QString::fromLocal8Bit(rcc.readAllStandardError()).trimmed());
        QFile::remove(partial);
        return false;
    }
    QFile::remove(libraryPath);
    if (!QFile::rename(partial, libraryPath)) {
        error = QStringLiteral("cannot write %1").arg(libraryPath);
        QFile::remove(partial);
        return false;
    }
    return true;
}

int LibraryFaceKind(const QString& name, int width) {
    struct Face {
        int deck;
        bool big;
    };
    static const QHash<QString, Face> faces = [] {
        QHash<QString, Face> all;
        for (int deck = 1; deck < kFaceDeckCount; ++deck)
            for (int suit = 0; suit < 4; ++suit)
                for (int rank = 0; rank < 9; ++rank)
                    for (bool big : {false, true})
                        all.insert(Upper(FaceNameAt(suit, rank, deck, big)), {deck, big});
        return all;
    }();
    const auto found = faces.constFind(name.toUpper());
    if (found == faces.constEnd()) return -1;
    if (!found->big) return 0;
    return IsWideDeck(found->deck) && width > kBigNarrowCardSize.width() ? 1 : 2;
}

QStringList MissingLibraryPictures(const QStringList& names) {
    QSet<QString> present;
    for (const QString& name : names) present.insert(name.toUpper());
    QStringList missing;
    QSet<QString> checked;
    for (int deck = 1; deck < kFaceDeckCount; ++deck) {
        const QString code =
            QString::fromLatin1(FaceDeckCode(deck).data(), qsizetype(FaceDeckCode(deck).size()));
        if (checked.contains(code)) continue;  // "Fra" names two decks with the same pictures
        QStringList wanted;
        for (int suit = 0; suit < 4; ++suit) {
            for (int rank = 0; rank < 9; ++rank)
                for (bool big : {false, true}) wanted << Upper(FaceNameAt(suit, rank, deck, big));
            for (bool big : {false, true}) wanted << Upper(SymbolNameAt(suit, deck, big));
        }
        bool any = false;
        for (const QString& w : wanted) any = any || present.contains(w);
        if (!any) continue;
        checked.insert(code);
        for (const QString& w : wanted)
            if (!present.contains(w)) missing << w;
    }
    for (int style = 1; style < kBackStyleCount; ++style) {
        QStringList wanted;
        for (int back = 1; back <= BackCountOfStyle(style); ++back)
            for (const char* suffix : {"", "B", "U"})
                for (bool turned : {false, true}) wanted << Upper(BackName(back, turned, style, suffix));
        bool any = false;
        for (const QString& w : wanted) any = any || present.contains(w);
        if (!any) continue;
        for (const QString& w : wanted)
            if (!present.contains(w)) missing << w;
    }
    return missing;
}

}  // namespace kesp
