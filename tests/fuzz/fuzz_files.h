// Small helpers shared by the fuzz targets: a scratch folder, writing an input as a file, and a
// check that stops the fuzzer on a broken property.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace kesp::fuzz {

// A folder made once per fuzzing process (with a subfolder when one is named).
inline std::string MakeFolder(const char* prefix, const char* subfolder = nullptr) {
    std::string name = std::string("/tmp/") + prefix + "-XXXXXX";
    if (!mkdtemp(name.data())) abort();
    if (subfolder && mkdir((name + "/" + subfolder).c_str(), 0755) != 0) abort();
    return name;
}

inline void Put(const std::string& path, std::string_view bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) abort();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace kesp::fuzz
