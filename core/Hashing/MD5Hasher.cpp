#include "Hashing/MD5Hasher.h"

#include <openssl/evp.h>

#include <cstdio>
#include <new>
#include <stdexcept>

namespace quillane {

MD5Hasher::MD5Hasher() : md5_(EVP_MD_CTX_new()) {
    if (md5_ == nullptr) throw std::bad_alloc();
    if (EVP_DigestInit_ex(md5_, EVP_md5(), nullptr) != 1) {
        EVP_MD_CTX_free(md5_);
        throw std::runtime_error("MD5 is not available");
    }
}

MD5Hasher::~MD5Hasher() { EVP_MD_CTX_free(md5_); }

void MD5Hasher::update(const void* data, std::size_t size) {
    if (data == nullptr || size == 0) return;
    EVP_DigestUpdate(md5_, data, size);
}

std::string MD5Hasher::finalizeHex() {
    EVP_MD_CTX* copy = EVP_MD_CTX_new();
    if (copy == nullptr) throw std::bad_alloc();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    const bool ok = EVP_MD_CTX_copy_ex(copy, md5_) == 1 && EVP_DigestFinal_ex(copy, digest, &length) == 1;
    EVP_MD_CTX_free(copy);
    if (!ok) throw std::runtime_error("MD5 could not be finalized");
    std::string hex;
    hex.reserve(length * 2);
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex.append(pair, 2);
    }
    return hex;
}

}  // namespace quillane
