#include "windows/library_downloads.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <memory>

#include "network/service_addresses.h"

namespace kesp {

std::string_view LibraryFileName(int number) {
    if (number < 1 || number > static_cast<int>(kDownloadableLibraries.size())) return {};
    return kDownloadableLibraries[static_cast<std::size_t>(number - 1)];
}

bool LibraryPresent(const std::string& programDir, std::string_view fileName) {
    const QString name = QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    const QDir folder(QString::fromStdString(programDir.empty() ? std::string("./") : programDir));
    // Names are matched without regard to case, as the libraries' loader does.
    for (const QString& where : {folder.absolutePath(), QFileInfo(folder.absolutePath()).path()}) {
        for (const QString& file : QDir(where).entryList(QDir::Files))
            if (file.compare(name, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

std::string LibraryDownloadTarget(const std::string& programDir, std::string_view fileName) {
    const QDir folder(QString::fromStdString(programDir.empty() ? std::string("./") : programDir));
    const QString above = QFileInfo(folder.absolutePath()).path();
    return (above + "/" + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())))
        .toStdString();
}

void StartLibraryDownload(QObject* context, const std::string& programDir, int number,
                          std::function<void(const DownloadResult&)> done) {
    const std::string_view file = LibraryFileName(number);
    auto result = std::make_shared<DownloadResult>();
    if (file.empty()) {
        result->error = "no such library";
        done(*result);
        return;
    }
    const std::string url = LibraryDownloadAddress(ServiceInUse().base, file);
    const std::string target = LibraryDownloadTarget(programDir, file);
    QThread* worker = QThread::create([result, url, target] { *result = DownloadFile(url, target); });
    QObject::connect(worker, &QThread::finished, context,
                     [result, done = std::move(done)] { done(*result); });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

}  // namespace kesp
