// The copy path allocates per run and per file, never per chunk: a file of many chunks costs
// exactly as many allocations as a file of one. Counted with a replaced operator new (left out
// under AddressSanitizer, which brings its own).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "EngineTestSupport.h"

#if !defined(__SANITIZE_ADDRESS__)
namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// GCC takes the pair below for a mismatch once it inlines them; they are each other's match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
#endif

namespace quillane {
namespace {

using namespace enginetest;
using testing::TempDir;
using testing::writeFile;

#if !defined(__SANITIZE_ADDRESS__)
// Allocations of a whole run (copy to three destinations and read-back) of a card holding
// one clip of the given size.
long allocationsOfARun(std::size_t clipSize) {
    TempDir card("quillane-card"), disk("quillane-ssd");
    writeFile(card / "CLIPS/A001C001.MOV", bytes(clipSize, 1));
    const TransferJob job = makeJob(card.path(), {disk / "a", disk / "b", disk / "c"});
    TransferEngine engine(job);
    allocations = 0;
    counting = true;
    const TransferResult result = engine.run();
    counting = false;
    EXPECT_TRUE(result.allSucceeded());
    EXPECT_EQ(result.destinations[2].verifiedFiles, 1);
    return allocations;
}
#endif

TEST(EngineAllocations, AFileOfManyChunksAllocatesNoMoreThanAFileOfOne) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "allocations are counted outside AddressSanitizer only";
#else
    const long one = allocationsOfARun(TransferEngine::chunkSize + 1);
    const long many = allocationsOfARun(6 * TransferEngine::chunkSize + 1);
    EXPECT_GT(one, 0);
    EXPECT_EQ(many, one);
#endif
}

}  // namespace
}  // namespace quillane
