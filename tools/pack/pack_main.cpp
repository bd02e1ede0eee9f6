// kesp-pack: packs a folder of pictures, named as the program looks them up ("Ch06Med",
// "Ch06MedB", "Ob01MoCl1B", "Fon01GrB", "BGLilu" ...), into a resource library such as
// "ZunCards06A.dll". Faces are drawn plainly; kesp-pack stores them the way the program reads them.
// With --base, the pictures of an existing library are kept unless the folder replaces them.
// Usage: kesp-pack <folder> <library> [--base <library>]
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QResource>
#include <QTemporaryDir>
#include <cstdio>

#include "library_pack.h"
#include "presentation/art_names.h"

namespace {

void Fail(const QString& message) {
    std::fprintf(stderr, "kesp-pack: %s\n", qPrintable(message));
}

bool IsPicture(const QFileInfo& file) {
    const QString ext = file.suffix().toLower();
    return ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "gif";
}

// Copies every entry of an existing library into the staging folder, as it is stored.
bool ExtractBase(const QString& library, const QDir& staging, QMap<QString, QString>& files) {
    const QString root = QStringLiteral("/kesp-pack-base");
    if (!QResource::registerResource(library, root)) return false;
    QDirIterator it(":" + root, QDir::Files, QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString file = QStringLiteral("base_") + entry.fileName();
        ok = ok && QFile::copy(entry.filePath(), staging.filePath(file));
        files.insert(entry.completeBaseName().toUpper(), file);
    }
    QResource::unregisterResource(library, root);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString base;
    const qsizetype baseAt = args.indexOf(QStringLiteral("--base"));
    if (baseAt >= 0 && baseAt + 1 < args.size()) {
        base = args[baseAt + 1];
        args.remove(baseAt, 2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kesp-pack <folder> <library> [--base <library>]\n");
        return 2;
    }
    const QDir folder(args[0]);
    const QString library = args[1];
    if (!folder.exists()) {
        Fail(QStringLiteral("no folder %1").arg(args[0]));
        return 1;
    }
    QTemporaryDir staging;
    if (!staging.isValid()) {
        Fail(QStringLiteral("cannot make a temporary folder"));
        return 1;
    }
    const QDir stage(staging.path());
    // Alias (upper case, no extension) -> file in the staging folder.
    QMap<QString, QString> files;
    if (!base.isEmpty() && !ExtractBase(base, stage, files)) {
        Fail(QStringLiteral("cannot read the library %1").arg(base));
        return 1;
    }
    int added = 0;
    const QFileInfoList entries = folder.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!IsPicture(entry)) continue;
        const QString alias = entry.completeBaseName().toUpper();
        QImage image(entry.filePath());
        if (image.isNull()) {
            Fail(QStringLiteral("%1 is not a picture").arg(entry.fileName()));
            return 1;
        }
        QString file = QStringLiteral("own_") + entry.fileName();
        const int kind = kesp::LibraryFaceKind(alias, image.width());
        bool ok;
        if (kind >= 0) {
            kesp::InvertFaceRegion(image, kind);
            file = QStringLiteral("own_") + alias + QStringLiteral(".png");
            ok = image.save(stage.filePath(file), "PNG");
        } else {
            ok = QFile::copy(entry.filePath(), stage.filePath(file));
        }
        if (!ok) {
            Fail(QStringLiteral("cannot copy %1").arg(entry.fileName()));
            return 1;
        }
        files.insert(alias, file);
        ++added;
    }
    if (files.isEmpty()) {
        Fail(QStringLiteral("no pictures (PNG, JPEG or GIF) in %1").arg(args[0]));
        return 1;
    }
    const QString qrc = stage.filePath(QStringLiteral("library.qrc"));
    QString error;
    if (!kesp::WriteResourceList(qrc, files.keys(), files.values()) ||
        !kesp::PackResourceList(qrc, library, error)) {
        Fail(error.isEmpty() ? QStringLiteral("cannot write the resource list") : error);
        return 1;
    }
    std::printf("kesp-pack: %s holds %lld pictures (%d from %s)\n", qPrintable(library),
                static_cast<long long>(files.size()), added, qPrintable(args[0]));
    const QStringList missing = kesp::MissingLibraryPictures(files.keys());
    if (!missing.isEmpty())
        std::printf("kesp-pack: the library lacks %lld pictures of its decks or back styles, first %s\n",
                    static_cast<long long>(missing.size()), qPrintable(missing.first()));
    return 0;
}
