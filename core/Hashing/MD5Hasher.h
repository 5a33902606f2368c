#pragma once
#include <memory>

#include "Hashing/StreamingHasher.h"

struct evp_md_ctx_st;

namespace quillane {

// MD5 over OpenSSL's EVP interface; finalizing works on a copy of the running state.
class MD5Hasher final : public StreamingHasher {
public:
    MD5Hasher();
    ~MD5Hasher() override;
    MD5Hasher(const MD5Hasher&) = delete;
    MD5Hasher& operator=(const MD5Hasher&) = delete;

    void update(const void* data, std::size_t size) override;
    std::string finalizeHex() override;

private:
    evp_md_ctx_st* md5_;
};

}  // namespace quillane
