#include "presentation/sprite.h"

#include <QPainter>

namespace kesp {

FlightSurface::FlightSurface(FlightScreen& screen, QImage clean)
    : screen_(screen), clean_(std::move(clean)), working_(clean_.copy()) {}

void FlightSurface::Restore(const QRect& rect) {
    const QRect r = rect.intersected(working_.rect());
    if (r.isEmpty()) return;
    QPainter painter(&working_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(r.topLeft(), clean_, r);
}

void FlightSurface::Show(const QRect& rect) {
    const QRect r = rect.intersected(working_.rect());
    if (!r.isEmpty()) screen_.Show(r);
}

void FlightSurface::Refresh(const QRect& rect) {
    const QRect r = rect.intersected(working_.rect());
    if (!r.isEmpty()) screen_.Refresh(r);
}

namespace {

// The three open pixels of each corner of a small card cell.
template <typename Visit>
void ForEachCornerPixel(int w, int h, Visit visit) {
    const QPoint pixels[] = {{0, 0},     {1, 0},         {0, 1},         {w - 2, 0},
                             {w - 1, 0}, {w - 1, 1},     {0, h - 1},     {1, h - 1},
                             {0, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    for (const QPoint& p : pixels) visit(p);
}

void DrawSide(QPainter& painter, const TableArt& art, const QRect& cell, SpriteFace face) {
    if (face.back)
        DrawBackOrStandIn(art, painter, cell, false);
    else
        DrawFaceOrStandIn(art, painter, cell, face.code);
}

}  // namespace

TSprite::TSprite(const QRect& cell, SpriteFace face, const TableArt& art, CardClass sizeClass)
    : FLeft(cell.left()),
      FTop(cell.top()),
      FWidth(cell.width()),
      FHeight(cell.height()),
      small_(sizeClass == CardClass::Small) {
    const QRect local(0, 0, FWidth, FHeight);
    if (small_) {
        AndMask = QImage(local.size(), QImage::Format_ARGB32_Premultiplied);
        AndMask.fill(Qt::black);
        OrMask = AndMask.copy();
        {
            QPainter painter(&OrMask);
            DrawSide(painter, art, local, face);
        }
        ForEachCornerPixel(FWidth, FHeight, [&](QPoint p) {
            AndMask.setPixel(p, qRgb(255, 255, 255));
            OrMask.setPixel(p, qRgb(0, 0, 0));
        });
        return;
    }
    picture_ = QImage(local.size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    QPainter painter(&picture_);
    DrawSide(painter, art, local, face);
}

void TSprite::Draw(QImage& target, QPoint at) const {
    QPainter painter(&target);
    if (small_) {
        // The mask clears the card's place but its open corners; the OR image then sets the picture.
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(at, AndMask);
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(at, OrMask);
    } else {
        painter.drawImage(at, picture_);
    }
}

void TSprite::MoveSprite(QPoint to, FlightSurface& surface) {
    const QRect old = Rect();
    surface.Restore(old);
    FLeft = to.x();
    FTop = to.y();
    Draw(surface.Working(), to);
    surface.Show(old.adjusted(-2, -2, 2, 2));
}

void TSprite::EraseSprite(FlightSurface& surface) {
    surface.Restore(Rect());
    surface.Refresh(QRect(FLeft - 2, FTop - 2, FWidth + 2, FHeight + 2));
}

}  // namespace kesp
