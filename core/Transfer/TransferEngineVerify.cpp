// Read-back: every copy read from its medium and its checksum compared with the source's.
#include <mutex>

#include "Support/Lang.h"
#include "Support/FileIO.h"
#include "Transfer/TransferEngine.h"
#include "Transfer/TransferEngineRun.h"

namespace quillane {

namespace {

struct ReadBack {
    std::vector<std::string> failed;
    int verified = 0;
};

}  // namespace

void TransferEngine::readBack(Run& run) {
    const int destinationCount = static_cast<int>(job_.destinations.size());
    std::vector<std::vector<int>> lists(destinationCount);
    std::vector<std::int64_t> totals(destinationCount, 0);
    for (int d = 0; d < destinationCount; ++d) {
        if (!run.live(d)) continue;
        if (job_.verify) {
            lists[d].resize(job_.files.size());
            for (std::size_t i = 0; i < job_.files.size(); ++i) lists[d][i] = static_cast<int>(i);
        } else {
            lists[d] = run.resumed[d];  // files already present are read back in any case
        }
        for (int i : lists[d]) totals[d] += job_.files[i].size;
    }
    tracker_.setVerifyTotals(totals);

    std::mutex resultsLock;
    run.pool.run(destinationCount, [&](int d) {
        ReadBack outcome;
        const std::vector<int>& list = lists[d];
        if (!list.empty()) {
            FileIO& io = FileIO::current();
            const std::filesystem::path& roll = job_.destinations[d].rollURL;
            TransferFiles::AlignedBuffer buffer(chunkSize);
            for (int i : list) {
                if (isCancelled()) break;
                const std::optional<std::string>& expected = run.hashes[i];
                if (!expected) continue;
                const std::string& r = job_.files[i].relativePath;
                TransferFiles::Input input = TransferFiles::openForReading(roll / r, job_.files[i].size, chunkSize);
                if (input.fd < 0) {
                    outcome.failed.push_back(r);
                    tracker_.setError(L("Bestand ontbreekt: ", "File missing: ") + r, d);
                    continue;
                }
                auto hasher = ChecksumAlgorithms::makeHasher(job_.algorithm);
                bool readFailed = false;
                for (;;) {
                    const ssize_t n = TransferFiles::fillChunk(input, buffer.data(), chunkSize);
                    if (n < 0) {
                        readFailed = true;
                        break;
                    }
                    if (n == 0) break;
                    hasher->update(buffer.data(), static_cast<std::size_t>(n));
                    tracker_.addVerified(n, d);
                }
                io.close(input.fd);
                if (isCancelled()) break;  // this file counts neither way
                if (readFailed || hasher->finalizeHex() != *expected) {
                    outcome.failed.push_back(r);
                    tracker_.setError(L("Checksum klopt niet: ", "Checksum mismatch: ") + r, d);
                } else {
                    ++outcome.verified;
                }
            }
        }
        std::lock_guard guard(resultsLock);
        run.failedFiles[d] = std::move(outcome.failed);
        run.verifiedFiles[d] = outcome.verified;
    });
}

}  // namespace quillane
