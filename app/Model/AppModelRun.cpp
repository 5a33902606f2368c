#include <QPointer>

#include "Model/AppModel.h"

namespace quillane {

// Not built yet: nothing starts, so nothing runs.
void AppModel::startEngine() {}
void AppModel::tick() {}
void AppModel::finish(TransferResult, RunningJob, std::optional<ReportWriter::Info>) {}
void AppModel::enrichReports(const TransferResult&, const std::vector<ScannedFile>&, const ReportWriter::Info&) {}
void AppModel::queueSoundCards() {}
void AppModel::startNextInQueue() {}

void AppModel::joinEngine() {
    if (engine_) engine_->cancel();
    if (engineThread_.joinable()) engineThread_.join();
}

void AppModel::cancelTransfer() {
    QPointer<AppModel> self(this);
    setAlert(AlertMessage(
        L("Transfer stoppen?", "Stop transfer?"),
        L("Bestanden die al klaar zijn blijven staan. Je kunt later hervatten: wat er al staat wordt dan "
          "gecontroleerd in plaats van opnieuw gekopieerd.",
          "Files that are already done will stay. You can resume later: what is already there will be checked "
          "instead of copied again."),
        L("Stoppen", "Stop"), [self] {
            if (!self) return;
            self->replace(self->queue_, std::vector<QueueItem>(), ModelField::queue);
            if (self->engine_) self->engine_->cancel();
        }));
}

}  // namespace quillane
