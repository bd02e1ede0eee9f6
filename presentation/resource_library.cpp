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

}  // namespace

QString ResourceLibrary::FindFile(const std::string& programDir, std::string_view fileName) {
    const QString dir = QString::fromStdString(programDir.empty() ? std::string("./") : programDir);
    const QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    for (const QString& folder : {dir, dir + "../"}) {
        const QDir d(folder);
        if (!d.exists()) continue;
        for (const QString& entry : d.entryList(QDir::Files | QDir::Hidden))
            if (entry.compare(name, Qt::CaseInsensitive) == 0) return d.filePath(entry);
    }
    return {};
}

ResourceLibrary::ResourceLibrary(const std::string& programDir, std::string_view fileName) {
    static std::atomic<int> counter{0};
    const QString path = FindFile(programDir, fileName);
    if (path.isEmpty()) return;
    const QString root = QStringLiteral("/kesp-library-%1").arg(counter.fetch_add(1));
    if (!QResource::registerResource(path, root)) return;
    path_ = path;
    root_ = root;
    QDirIterator it(":" + root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        index_.insert(EntryKey(QFileInfo(entry).fileName()), entry);
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
