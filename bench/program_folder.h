// A program folder for a benchmark's main window, with the supplied club files of the build.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace kesp::bench {

inline QString ProgramFolder(QTemporaryDir& dir) {
    for (const char* name : {"Kesp.clb", "Kesp.net"})
        QFile::copy(QStringLiteral(KESP_BUILD_DIR "/") + name, dir.path() + "/" + name);
    return dir.path() + "/";
}

}  // namespace kesp::bench
