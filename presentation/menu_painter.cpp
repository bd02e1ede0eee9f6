#include "presentation/menu_painter.h"

#include <QPainter>

namespace kesp {

QImage PaintMenuBackground(const TableArt& art, const MenuGeometry& geometry, QSize client,
                           const MenuPictures& pictures) {
    QImage image(client.expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    image.fill(art.WindowColour());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage background = art.Background();
    if (!background.isNull()) painter.drawImage(0, 0, background);
    if (!pictures.caption.isNull()) painter.drawImage(geometry.caption, pictures.caption);
    if (!pictures.header.isNull()) painter.drawImage(geometry.header, pictures.header);
    const QImage title = art.Picture("GTitle");
    if (!title.isNull()) painter.drawImage(geometry.titlePicture, title);
    return image;
}

}  // namespace kesp
