#include "network/service_client.h"

#include <curl/curl.h>

#include <algorithm>

#include "records/cp1251.h"

namespace kesp {
namespace {

thread_local const std::atomic<bool>* tCancel = nullptr;

int CheckCancel(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return tCancel && tCancel->load() ? 1 : 0;
}

struct Body {
    std::string bytes;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
};

size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<Body*>(user);
    const size_t bytes = size * count;
    if (body->bytes.size() + bytes > body->maxBytes) {
        body->tooLarge = true;
        return 0;
    }
    body->bytes.append(data, bytes);
    return bytes;
}

struct Upload {
    std::string_view bytes;
    std::size_t sent = 0;
};

size_t Provide(char* data, size_t size, size_t count, void* user) {
    auto* upload = static_cast<Upload*>(user);
    const size_t bytes = std::min(size * count, upload->bytes.size() - upload->sent);
    std::copy_n(upload->bytes.data() + upload->sent, bytes, data);
    upload->sent += bytes;
    return bytes;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using Curl = std::unique_ptr<CURL, CurlDeleter>;

void CancelOption(CURL* curl) {
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckCancel);
}

// Options every transfer shares: no signals (worker threads), bounded waits, web schemes only.
void CommonOptions(CURL* curl, long timeoutMs) {
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, ServiceClient::kConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    CancelOption(curl);
}

bool Perform(CURL* curl, Body& body) {
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    return curl_easy_perform(curl) == CURLE_OK && !body.tooLarge;
}

}  // namespace

TransferCancel::TransferCancel(const std::atomic<bool>& cancel) {
    tCancel = &cancel;
}

TransferCancel::~TransferCancel() {
    tCancel = nullptr;
}

struct ServiceClient::Handle {
    Curl curl{curl_easy_init()};
    curl_slist* headers = nullptr;
    long timeoutMs = kDefaultTimeoutMs;
    ~Handle() { curl_slist_free_all(headers); }
};

ServiceClient::ServiceClient() : handle_(std::make_unique<Handle>()) {
    if (!handle_->curl) return;
    CURL* curl = handle_->curl.get();
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");  // the cookie engine, kept in memory for the run
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "QuorbHelvinta");
    handle_->headers = curl_slist_append(nullptr, "Accept: text/html, */*");
    handle_->headers = curl_slist_append(handle_->headers, "Content-Type: application/x-www-form-urlencoded");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, handle_->headers);
}

ServiceClient::~ServiceClient() = default;

void ServiceClient::SetReadTimeout(long milliseconds) {
    handle_->timeoutMs = milliseconds;
}

long ServiceClient::ReadTimeout() const {
    return handle_->timeoutMs;
}

std::optional<std::string> ServiceClient::Post(const std::string& address, FormKind kind,
                                               const FormFields& fields) {
    CURL* curl = handle_->curl.get();
    if (!curl || !IsServiceAddress(address)) return std::nullopt;
    const std::string request = kind == FormKind::List ? ListFormBody(fields) : TextFormBody(fields);
    CommonOptions(curl, handle_->timeoutMs);
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.size()));
    Body body;
    body.maxBytes = kMaxReplyBytes;
    const bool ok = Perform(curl, body);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
    if (!ok) return std::nullopt;
    return Cp1251ToUtf8(body.bytes);
}

std::optional<std::string> DownloadBytes(const std::string& address, std::size_t maxBytes, long timeoutMs) {
    Curl curl(curl_easy_init());
    if (!curl || !IsServiceAddress(address)) return std::nullopt;
    CommonOptions(curl.get(), timeoutMs);
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    Body body;
    body.maxBytes = maxBytes;
    if (!Perform(curl.get(), body)) return std::nullopt;
    return std::move(body.bytes);
}

bool UploadToPictureStore(const PictureStore& store, const std::string& fileName, std::string_view bytes,
                          long timeoutMs) {
    Curl curl(curl_easy_init());
    if (!curl || store.host.empty()) return false;
    std::string folder = store.folder;
    if (folder.empty() || folder.front() != '/') folder.insert(folder.begin(), '/');
    if (folder.back() != '/') folder += '/';
    const std::string address =
        "ftp://" + store.host + ":" + std::to_string(store.port) + folder + PercentEncoded(fileName);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, ServiceClient::kConnectTimeoutMs);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "ftp");
    CancelOption(curl.get());
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, store.user.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, store.password.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_FTP_USE_EPSV, 1L);  // passive mode
    curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
    Upload upload{bytes};
    curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, Provide);
    curl_easy_setopt(curl.get(), CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
    return curl_easy_perform(curl.get()) == CURLE_OK && upload.sent == bytes.size();
}

}  // namespace kesp
