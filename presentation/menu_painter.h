// The main menu's pictures painted under its buttons: the background, the caption banner, the
// club or network header and the title picture.
#pragma once

#include <QImage>

#include "presentation/menu_layout.h"
#include "presentation/table_art.h"

namespace kesp {

struct MenuPictures {
    QImage caption;  // "Cap" + language, recoloured for the banner colour by the caller
    QImage header;   // "Elite" or "Net__" + language, recoloured alike
};

// The menu's client area without its buttons and the clock. Missing pictures are left out.
QImage PaintMenuBackground(const TableArt& art, const MenuGeometry& geometry, QSize client,
                           const MenuPictures& pictures);

}  // namespace kesp
