// The download buttons of the optional resource libraries: which library each button fetches,
// whether a library is already there, and the transfer itself on a worker thread, so the window
// keeps running while a library arrives.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "network/library_download.h"

namespace kesp {

// Library number 1..9 of the download routine: its file name ("" outside the range).
std::string_view LibraryFileName(int number);
// A library is present when its file lies beside the program or in the folder above.
bool LibraryPresent(const std::string& programDir, std::string_view fileName);
// Where a download puts a library: the folder above the program's folder.
std::string LibraryDownloadTarget(const std::string& programDir, std::string_view fileName);

// Downloads library `number` into the folder above the program on a thread of its own and calls
// `done` on the GUI thread with the outcome, unless `context` is gone by then.
void StartLibraryDownload(QObject* context, const std::string& programDir, int number,
                          std::function<void(const DownloadResult&)> done);

}  // namespace kesp
