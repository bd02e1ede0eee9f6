#include "windows/window_art.h"

#include <QFile>

#include "presentation/card_art.h"
#include "tools/artgen/art_resources.h"

namespace kesp {

QPixmap RecordWindowPicture(const QString& name) {
    return QPixmap::fromImage(LoadOwnImage(name.toStdString()));
}

std::unique_ptr<QMovie> RecordWindowAnimation(const QString& name) {
    // Animations live beside the pictures, under their upper-case names.
    InitArtResources();
    const QString path = ":/" + name.toUpper();
    if (!QFile::exists(path)) return nullptr;
    auto movie = std::make_unique<QMovie>(path);
    if (!movie->isValid()) return nullptr;
    return movie;
}

}  // namespace kesp
