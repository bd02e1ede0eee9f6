#include "records/windows/window_art.h"

#include <QFile>
#include <QStringList>

namespace kesp {
namespace {

// Resource names are stored in upper case under ":/art"; a bare ":/NAME" is accepted as well.
QStringList Candidates(const QString& name) {
    const QString upper = name.toUpper();
    return {":/art/" + upper, ":/" + upper, ":/" + name};
}

}  // namespace

QPixmap RecordWindowPicture(const QString& name) {
    for (const QString& path : Candidates(name)) {
        if (!QFile::exists(path)) continue;
        QPixmap picture(path);
        if (!picture.isNull()) return picture;
    }
    return {};
}

std::unique_ptr<QMovie> RecordWindowAnimation(const QString& name) {
    for (const QString& path : Candidates(name)) {
        if (!QFile::exists(path)) continue;
        auto movie = std::make_unique<QMovie>(path);
        if (movie->isValid()) return movie;
    }
    return nullptr;
}

}  // namespace kesp
