// Small helpers shared by the fuzz targets: a scratch folder, writing an input as a file, a check
// that stops the fuzzer on a broken property, and a reader that takes an input apart.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
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

// The fuzzer's bytes read one decision at a time; past the end every read gives zero.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(at_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace kesp::fuzz
