#include "windows/window_art.h"

#include <QBuffer>
#include <QFile>

#include "presentation/card_art.h"
#include "presentation/resource_library.h"
#include "records/settings.h"
#include "tools/artgen/art_resources.h"

namespace kesp {

// The program's own pictures come first; the designs' pictures ("GFormHistoryEng", "GifC", ...)
// live in the graphics library beside the program.
QPixmap RecordWindowPicture(const QString& name) {
    QImage image = LoadOwnImage(name.toStdString());
    if (image.isNull())
        image = ResourceLibrary(ExecutableProgramDir(), kGraphicsLibrary).LoadImage(name.toStdString());
    return QPixmap::fromImage(image);
}

std::unique_ptr<QMovie> RecordWindowAnimation(const QString& name) {
    // Animations live beside the pictures, under their upper-case names.
    InitArtResources();
    const QString path = ":/" + name.toUpper();
    std::unique_ptr<QMovie> movie;
    if (QFile::exists(path)) {
        movie = std::make_unique<QMovie>(path);
    } else {
        // A library's animation is read whole, so the library need not stay registered.
        QByteArray bytes =
            ResourceLibrary(ExecutableProgramDir(), kGraphicsLibrary).LoadBytes(name.toStdString());
        if (bytes.isEmpty()) return nullptr;
        movie = std::make_unique<QMovie>();
        auto* buffer = new QBuffer(movie.get());
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        movie->setDevice(buffer);
    }
    if (!movie->isValid()) return nullptr;
    return movie;
}

}  // namespace kesp
