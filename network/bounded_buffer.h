// Bytes received on a connection and not yet taken as messages, never more than a fixed capacity.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace kesp {

class BoundedBuffer {
  public:
    explicit BoundedBuffer(std::size_t capacity) : capacity_(capacity) {}

    std::size_t Room() const { return capacity_ - Front().size(); }
    // Appends at most Room() bytes; returns how many were taken.
    std::size_t Feed(std::string_view bytes) {
        bytes_.erase(0, start_);
        start_ = 0;
        const std::size_t taken = std::min(bytes.size(), Room());
        bytes_.append(bytes.substr(0, taken));
        return taken;
    }
    // What is waiting, valid until the next Feed.
    std::string_view Front() const { return std::string_view(bytes_).substr(start_); }
    void Consume(std::size_t n) { start_ += std::min(n, Front().size()); }

  private:
    std::size_t capacity_;
    std::string bytes_;
    std::size_t start_ = 0;
};

}  // namespace kesp
