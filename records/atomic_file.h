// Whole-file reads and writes for the record files. A write goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the old file, so a failed or interrupted
// write always leaves the previous file whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// False when any part of the write fails; the old file is then untouched. The temporary file is
// named after the target: "Kesp.clb" is written through "Kesp.clb.tmpXXXXXX", six random letters or
// digits in place of the X.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The name of the file a write was replacing when `fileName` is one of its temporaries' names,
// otherwise nothing.
std::optional<std::string_view> AtomicWriteTarget(std::string_view fileName);

}  // namespace kesp
