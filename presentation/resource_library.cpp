#include "presentation/resource_library.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <atomic>

namespace kesp {
namespace {

// Upper-case name without its extension: the key entries are matched by.
QString EntryKey(QString fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    if (dot > 0) fileName.truncate(dot);
    return fileName.toUpper();
}

// The files of that name beside the program, then in the folder above, matched without regard to case.
QStringList LibraryFiles(const std::string& programDir, std::string_view fileName) {
    const QString dir = QString::fromStdString(programDir.empty() ? std::string("./") : programDir);
    const QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    QStringList files;
    for (const QString& folder : {dir, dir + "../"}) {
        const QDir d(folder);
        if (!d.exists()) continue;
        for (const QString& entry : d.entryList(QDir::Files | QDir::Hidden))
            if (entry.compare(name, Qt::CaseInsensitive) == 0) files.append(d.filePath(entry));
    }
    return files;
}

}  // namespace

QString ResourceLibrary::FindFile(const std::string& programDir, std::string_view fileName) {
    const QStringList files = LibraryFiles(programDir, fileName);
    return files.isEmpty() ? QString() : files.front();
}

ResourceLibrary::ResourceLibrary(const std::string& programDir, std::string_view fileName) {
    static std::atomic<int> counter{0};
    // A damaged file is passed over for the next one.
    for (const QString& path : LibraryFiles(programDir, fileName)) {
        const QString root = QStringLiteral("/kesp-library-%1").arg(counter.fetch_add(1));
        if (!QResource::registerResource(path, root)) continue;
        path_ = path;
        root_ = root;
        QDirIterator it(":" + root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            index_.insert(EntryKey(QFileInfo(entry).fileName()), entry);
        }
        return;
    }
}

ResourceLibrary::~ResourceLibrary() {
    if (!path_.isEmpty()) QResource::unregisterResource(path_, root_);
}

QString ResourceLibrary::EntryPath(std::string_view name) const {
    return index_.value(EntryKey(QString::fromUtf8(name.data(), qsizetype(name.size()))));
}

QImage ResourceLibrary::LoadImage(std::string_view name) const {
    const QString entry = EntryPath(name);
    return entry.isEmpty() ? QImage() : QImage(entry);
}

QByteArray ResourceLibrary::LoadBytes(std::string_view name) const {
    QFile file(EntryPath(name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace kesp
