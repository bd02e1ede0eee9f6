// Writes the header of the built-in service addresses, enciphered, from the build's settings:
//   built_in_service_gen OUTPUT BASE PICTURE_HOST PICTURE_PORT PICTURE_USER PICTURE_PASSWORD PICTURE_FOLDER
#include <cstdio>
#include <cstdlib>
#include <string>

#include "network/service_cipher.h"

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: %s OUTPUT BASE HOST PORT USER PASSWORD FOLDER\n", argv[0]);
        return 2;
    }
    std::string base = argv[2];
    if (base.empty() || base.back() != '/') base += '/';
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    using kesp::CipherKey;
    using kesp::Encipher;
    std::fprintf(out, "// Generated at build time: the built-in service, enciphered.\n#pragma once\n\n");
    std::fprintf(out, "namespace kesp::builtin {\n");
    std::fprintf(out, "inline constexpr const char* kServiceBase = \"%s\";\n",
                 Encipher(base, CipherKey::ConfigAddress).c_str());
    std::fprintf(out, "inline constexpr const char* kPictureStoreHost = \"%s\";\n",
                 Encipher(argv[3], CipherKey::PictureStoreHost).c_str());
    std::fprintf(out, "inline constexpr int kPictureStorePort = %d;\n", std::atoi(argv[4]));
    std::fprintf(out, "inline constexpr const char* kPictureStoreUser = \"%s\";\n",
                 Encipher(argv[5], CipherKey::PictureStoreUser).c_str());
    std::fprintf(out, "inline constexpr const char* kPictureStorePassword = \"%s\";\n",
                 Encipher(argv[6], CipherKey::PictureStorePassword).c_str());
    std::fprintf(out, "inline constexpr const char* kPictureStoreFolder = \"%s\";\n",
                 Encipher(argv[7], CipherKey::PictureStoreFolder).c_str());
    std::fprintf(out, "}  // namespace kesp::builtin\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
