#include "service/secrets.h"

#include <sodium.h>

#include <semaphore>

namespace kesp::service {
namespace {

std::string Hex(const unsigned char* bytes, std::size_t size) {
    std::string out(size * 2 + 1, '\0');
    sodium_bin2hex(out.data(), out.size(), bytes, size);
    out.pop_back();
    return out;
}

std::counting_semaphore<kConcurrentPasswordHashes> hashing(kConcurrentPasswordHashes);

class HashingTurn {
  public:
    HashingTurn() { hashing.acquire(); }
    ~HashingTurn() { hashing.release(); }
};

}  // namespace

bool InitialiseSecrets() {
    return sodium_init() >= 0;
}

std::optional<std::string> HashPassword(std::string_view password) {
    char hash[crypto_pwhash_STRBYTES];
    const HashingTurn turn;
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return std::nullopt;
    return std::string(hash);
}

bool PasswordMatches(const std::string& hash, std::string_view password) {
    const HashingTurn turn;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string NewSessionToken() {
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    return Hex(bytes, sizeof bytes);
}

std::string SessionTokenHash(std::string_view token) {
    unsigned char digest[crypto_generichash_BYTES];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(token.data()),
                       token.size(), nullptr, 0);
    return Hex(digest, sizeof digest);
}

}  // namespace kesp::service
