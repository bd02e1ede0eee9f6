// The game's HTTP client of the online service, on libcurl and free of Qt. One client serves every
// form post, in order, with its cookies kept for the run; plain downloads and the picture upload use
// a transfer of their own each. Every call blocks until done, so the game calls them off its
// window's thread (see ServiceQueue).
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "network/service_addresses.h"
#include "network/service_form.h"

namespace kesp {

enum class FormKind { List, Text };

class ServiceClient {
  public:
    ServiceClient();
    ~ServiceClient();
    ServiceClient(const ServiceClient&) = delete;
    ServiceClient& operator=(const ServiceClient&) = delete;

    // Posts the fields to `address`; the reply as UTF-8 text, or nothing when no answer came (no
    // connection, an HTTP error status, a time-out, a reply past the size bound).
    std::optional<std::string> Post(const std::string& address, FormKind kind, const FormFields& fields);

    // From the first call on, every later post waits at most this long for its whole reply.
    void SetReadTimeout(long milliseconds);
    long ReadTimeout() const;

    // The longest any call waits when no read time-out was set, and the connect time-out.
    static constexpr long kDefaultTimeoutMs = 20000;
    static constexpr long kConnectTimeoutMs = 10000;
    // The largest reply a post or a download accepts.
    static constexpr std::size_t kMaxReplyBytes = 1 << 20;

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

// While alive, every transfer on this thread gives up as soon as `cancel` turns true (a program
// that closes does not wait for a slow service).
class TransferCancel {
  public:
    explicit TransferCancel(const std::atomic<bool>& cancel);
    ~TransferCancel();
    TransferCancel(const TransferCancel&) = delete;
    TransferCancel& operator=(const TransferCancel&) = delete;
};

// A GET with default headers on a transfer of its own; the body's bytes, or nothing on failure.
std::optional<std::string> DownloadBytes(const std::string& address,
                                         std::size_t maxBytes = ServiceClient::kMaxReplyBytes,
                                         long timeoutMs = ServiceClient::kDefaultTimeoutMs);

// Puts `bytes` by FTP in passive mode to the store as folder + `fileName`. True when the store took it.
bool UploadToPictureStore(const PictureStore& store, const std::string& fileName, std::string_view bytes,
                          long timeoutMs = ServiceClient::kDefaultTimeoutMs);

}  // namespace kesp
