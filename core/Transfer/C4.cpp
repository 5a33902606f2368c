#include "Transfer/C4.h"

#include <openssl/evp.h>

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace quillane::C4 {
namespace {

constexpr char alphabet[] = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
constexpr std::size_t digitCount = 88;

std::array<unsigned char, 64> sha512(std::string_view bytes) {
    std::array<unsigned char, 64> digest{};
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    unsigned int length = 0;
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha512(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1 || length != digest.size())
        throw std::runtime_error("SHA-512 is not available");
    return digest;
}

}  // namespace

std::string identifier(std::string_view bytes) {
    const auto digest = sha512(bytes);

    // Little-endian base-58 digits of the digest read as one big-endian number.
    std::array<std::uint8_t, digitCount + 2> digits{};
    std::size_t used = 1;
    for (unsigned char byte : digest) {
        unsigned carry = byte;
        for (std::size_t i = 0; i < used; ++i) {
            carry += static_cast<unsigned>(digits[i]) * 256;
            digits[i] = static_cast<std::uint8_t>(carry % 58);
            carry /= 58;
        }
        while (carry > 0) {
            digits[used++] = static_cast<std::uint8_t>(carry % 58);
            carry /= 58;
        }
    }
    while (used > 1 && digits[used - 1] == 0) --used;

    std::string id = "c4";
    id.append(digitCount > used ? digitCount - used : 0, '1');
    for (std::size_t i = used; i-- > 0;) id += alphabet[digits[i]];
    return id;
}

}  // namespace quillane::C4
