#pragma once
#include <QObject>
#include <QPointer>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Settings/ClipCatalog.h"

namespace quillane {

// Searches the clip catalog off the main thread, so that typing never waits for the first
// search, which reads every catalog file. One search runs at a time; while it runs, only the
// newest request waits, and the answer of a request that a newer one replaced is dropped.
class ClipSearch : public QObject {
    Q_OBJECT
public:
    // Runs a job on a worker thread; the job may run after this object is gone, never after
    // the catalog is.
    using Runner = std::function<void(std::function<void()>)>;

    ClipSearch(const ClipCatalog& catalog, Runner runner, QObject* parent = nullptr);

    // Searches records (newest first) for query. A query the catalog would not look at is
    // answered at once, with no hits.
    void request(std::string query, std::vector<TransferRecord> records, std::size_t limit);

    // The answer to the newest request that has one, and that request's query.
    const std::vector<ClipHit>& hits() const { return hits_; }
    const std::string& query() const { return query_; }
    // True while a request waits for its answer.
    bool busy() const { return running_; }

signals:
    // hits() and query() hold a new answer.
    void answered();

private:
    struct Request {
        std::string query;
        std::vector<TransferRecord> records;
        std::size_t limit = 0;
    };
    void start(Request request);
    void land(std::string query, std::vector<ClipHit> hits);

    const ClipCatalog& catalog_;
    Runner runner_;
    bool running_ = false;
    std::optional<Request> waiting_;
    std::vector<ClipHit> hits_;
    std::string query_;
};

}  // namespace quillane
