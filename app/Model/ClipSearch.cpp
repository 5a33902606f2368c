#include "Model/ClipSearch.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace quillane {

ClipSearch::ClipSearch(const ClipCatalog& catalog, Runner runner, QObject* parent)
    : QObject(parent), catalog_(catalog), runner_(std::move(runner)) {}

void ClipSearch::request(std::string query, std::vector<TransferRecord> records, std::size_t limit) {
    Request next{std::move(query), std::move(records), limit};
    if (running_) {
        waiting_ = std::move(next);  // replaces an older waiting request, which never runs
        return;
    }
    if (!ClipCatalog::isSearchable(next.query) || next.limit == 0) {
        land(std::move(next.query), {});
        return;
    }
    start(std::move(next));
}

void ClipSearch::start(Request request) {
    running_ = true;
    QPointer<ClipSearch> self(this);
    const ClipCatalog* catalog = &catalog_;
    runner_([self, catalog, request = std::move(request)]() mutable {
        std::vector<ClipHit> hits = catalog->search(request.query, request.records, request.limit);
        // Back on the main thread, where self may be checked; a search that is gone drops it.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, query = std::move(request.query), hits = std::move(hits)]() mutable {
                if (self) self->land(std::move(query), std::move(hits));
            },
            Qt::QueuedConnection);
    });
}

void ClipSearch::land(std::string query, std::vector<ClipHit> hits) {
    running_ = false;
    if (waiting_) {
        // A newer request came while this one ran: its answer is the one wanted.
        Request next = std::move(*waiting_);
        waiting_.reset();
        request(std::move(next.query), std::move(next.records), next.limit);
        return;
    }
    hits_ = std::move(hits);
    query_ = std::move(query);
    emit answered();
}

}  // namespace quillane
