#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <xxhash.h>

#include <random>
#include <string>
#include <vector>

#include "Hashing/ChecksumAlgorithm.h"
#include "Hashing/MD5Hasher.h"
#include "Hashing/XXHash64.h"
#include "Support/Lang.h"
#include "support/Scopes.h"

using namespace quillane;

namespace {
std::vector<unsigned char> randomBytes(std::size_t n, std::mt19937_64& rng) {
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
    return bytes;
}

std::string opensslMD5(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
    std::string hex;
    char pair[3];
    for (unsigned i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}
}  // namespace

TEST(XXHash64, AgreesWithReferenceWholeAndSplitAtRandom) {
    std::mt19937_64 rng(42);
    std::vector<std::size_t> lengths{0, 1, 3, 4, 7, 8, 15, 16, 31, 32, 33, 63, 64, 65, 100, 1000, 4096, 100003};
    for (int i = 0; i < 40; ++i) lengths.push_back(rng() % 20000);
    for (std::size_t length : lengths) {
        const auto bytes = randomBytes(length, rng);
        const std::uint64_t reference = XXH64(bytes.data(), bytes.size(), 0);
        EXPECT_EQ(XXHash64::hash(bytes.data(), bytes.size()), reference) << "length " << length;

        XXHash64 split;
        std::size_t at = 0;
        while (at < length) {
            const std::size_t piece = std::min<std::size_t>(length - at, 1 + rng() % 70);
            split.update(bytes.data() + at, piece);
            at += piece;
        }
        EXPECT_EQ(split.digest(), reference) << "split, length " << length;
        EXPECT_EQ(split.finalizeHex(), XXHash64::toHex(reference));
    }
}

TEST(XXHash64, SeededValuesAndLargeChunksAgree) {
    std::mt19937_64 rng(7);
    const auto bytes = randomBytes(8u << 20 | 13, rng);
    EXPECT_EQ(XXHash64::hash(bytes.data(), bytes.size(), 12345), XXH64(bytes.data(), bytes.size(), 12345));
    const std::uint64_t reference = XXH64(bytes.data(), bytes.size(), 0);
    for (std::size_t piece : {std::size_t{1}, std::size_t{31}, std::size_t{32}, std::size_t{33}}) {
        XXHash64 split;  // a short head, then the rest in one large update
        split.update(bytes.data(), piece);
        split.update(bytes.data() + piece, bytes.size() - piece);
        EXPECT_EQ(split.digest(), reference) << piece;
    }
}

TEST(XXHash64, HexIsSixteenDigitsAndDigestIsRepeatable) {
    XXHash64 empty;
    EXPECT_EQ(empty.finalizeHex(), "ef46db3751d8e999");  // XXH64 of no bytes, seed 0
    EXPECT_EQ(XXHash64::hex(""), "ef46db3751d8e999");
    EXPECT_EQ(XXHash64::toHex(0x1234), "0000000000001234");
    empty.update(nullptr, 0);
    EXPECT_EQ(empty.finalizeHex(), "ef46db3751d8e999");

    XXHash64 h;
    h.update("abc", 3);
    const std::string first = h.finalizeHex();
    EXPECT_EQ(first, h.finalizeHex());
    h.update("def", 3);
    EXPECT_EQ(h.finalizeHex(), XXHash64::hex("abcdef"));
    // Non-ASCII letters hash their UTF-8 bytes.
    EXPECT_EQ(XXHash64::hex("é"), XXHash64::toHex(XXH64("\xC3\xA9", 2, 0)));
}

TEST(MD5Hasher, RFC1321SuiteAndOpenSSLOneShot) {
    const std::pair<std::string, std::string> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [input, expected] : suite) {
        MD5Hasher whole;
        whole.update(input.data(), input.size());
        EXPECT_EQ(whole.finalizeHex(), expected) << input;
        MD5Hasher bytewise;
        for (char c : input) bytewise.update(&c, 1);
        EXPECT_EQ(bytewise.finalizeHex(), expected) << input;
    }
    std::mt19937_64 rng(3);
    const auto bytes = randomBytes(1 << 20, rng);
    const std::string data(bytes.begin(), bytes.end());
    MD5Hasher h;
    h.update(data.data(), 1000);
    const std::string partial = h.finalizeHex();
    EXPECT_EQ(partial, opensslMD5(data.substr(0, 1000)));
    EXPECT_EQ(partial, h.finalizeHex());  // finalizing leaves the state usable
    h.update(data.data() + 1000, data.size() - 1000);
    EXPECT_EQ(h.finalizeHex(), opensslMD5(data));
}

TEST(ChecksumAlgorithm, RawValuesTextsAndHashers) {
    quillane::testing::LanguageScope language;
    EXPECT_EQ(ChecksumAlgorithms::fromRawValue("xxhash64"), ChecksumAlgorithm::xxhash64);
    EXPECT_EQ(ChecksumAlgorithms::fromRawValue("md5"), ChecksumAlgorithm::md5);
    EXPECT_FALSE(ChecksumAlgorithms::fromRawValue("MD5"));
    EXPECT_FALSE(ChecksumAlgorithms::fromRawValue("sha1"));
    EXPECT_EQ(ChecksumAlgorithms::mhlElement(ChecksumAlgorithm::xxhash64), "xxhash64be");
    EXPECT_EQ(ChecksumAlgorithms::displayName(ChecksumAlgorithm::xxhash64), "xxHash64");
    Lang::current = AppLanguage::nl;
    EXPECT_EQ(ChecksumAlgorithms::detail(ChecksumAlgorithm::md5), "Langzamer, maximaal compatibel");
    Lang::current = AppLanguage::en;

    auto a = ChecksumAlgorithms::makeHasher(ChecksumAlgorithm::md5);
    auto b = ChecksumAlgorithms::makeHasher(ChecksumAlgorithm::md5);
    a->update("x", 1);
    EXPECT_NE(a->finalizeHex(), b->finalizeHex());  // each call is a fresh hasher
    EXPECT_EQ(ChecksumAlgorithms::makeHasher(ChecksumAlgorithm::xxhash64)->finalizeHex().size(), 16u);
}
