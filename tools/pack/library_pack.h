// Packing pictures into a resource library: the resource list rcc reads and the run of rcc that
// writes the binary bundle. Shared by the library generator, kesp-pack and kesp-deck.
#pragma once

#include <QString>
#include <QStringList>

namespace kesp {

// Writes the resource list `qrcPath`: each file (relative to the list's folder) under its alias.
bool WriteResourceList(const QString& qrcPath, const QStringList& aliases, const QStringList& files);

// The rcc program of the Qt the tools were built with, else "rcc" from the path.
QString RccProgram();

// Runs rcc on the list and puts the bundle at `libraryPath`. The bundle is written beside it under
// a temporary name and renamed only when rcc succeeded, so a failure never leaves half a library.
// On failure `error` says why.
bool PackResourceList(const QString& qrcPath, const QString& libraryPath, QString& error);

// Library faces are stored with an elliptical region inverted. For a picture named as a face of a
// library deck, the kind of region to invert (0 small, 1 big wide, 2 big narrow); -1 otherwise.
int LibraryFaceKind(const QString& name, int width);

// The names a set of pictures lacks: for every library deck and back style of which some picture
// is present, the faces, suit symbols or backs that are not. Names compare without regard to case.
QStringList MissingLibraryPictures(const QStringList& names);

}  // namespace kesp
