// Throughput of our checksums beside the reference implementations, on 8 MiB buffers
// (the engine's chunk size).
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <xxhash.h>

#include <random>
#include <vector>

#include "Hashing/MD5Hasher.h"
#include "Hashing/XXHash64.h"

namespace {
const std::vector<unsigned char>& buffer() {
    static const std::vector<unsigned char> bytes = [] {
        std::vector<unsigned char> b(8u << 20);
        std::mt19937_64 rng(1);
        for (auto& x : b) x = static_cast<unsigned char>(rng());
        return b;
    }();
    return bytes;
}

void OurXXHash64(benchmark::State& state) {
    const auto& b = buffer();
    for (auto _ : state) {
        quillane::XXHash64 h;
        h.update(b.data(), b.size());
        benchmark::DoNotOptimize(h.digest());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}

void ReferenceXXH64(benchmark::State& state) {
    const auto& b = buffer();
    for (auto _ : state) benchmark::DoNotOptimize(XXH64(b.data(), b.size(), 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}

void OurMD5(benchmark::State& state) {
    const auto& b = buffer();
    for (auto _ : state) {
        quillane::MD5Hasher h;
        h.update(b.data(), b.size());
        benchmark::DoNotOptimize(h.finalizeHex());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}

void OpenSSLMD5(benchmark::State& state) {
    const auto& b = buffer();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    for (auto _ : state) {
        EVP_Digest(b.data(), b.size(), digest, &length, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}
}  // namespace

BENCHMARK(OurXXHash64);
BENCHMARK(ReferenceXXH64);
BENCHMARK(OurMD5);
BENCHMARK(OpenSSLMD5);
BENCHMARK_MAIN();
