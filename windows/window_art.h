// Pictures and animations of the record windows, looked up by resource name.
#pragma once

#include <QMovie>
#include <QPixmap>
#include <QString>
#include <memory>

namespace kesp {

// The picture of that name from the program's resources, or a null pixmap when there is none.
QPixmap RecordWindowPicture(const QString& name);

// The animation of that name (a GIF resource), or nothing when the resources do not hold it.
std::unique_ptr<QMovie> RecordWindowAnimation(const QString& name);

}  // namespace kesp
