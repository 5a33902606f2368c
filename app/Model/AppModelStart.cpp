#include <algorithm>

#include <QPointer>

#include "Model/AppModel.h"
#include "Model/RollFolderFiles.h"
#include "Model/PathRules.h"
#include "Product/Product.h"
#include "Support/Counts.h"
#include "Support/Folders.h"
#include "Transfer/DestinationFiles.h"
#include "Transfer/ReportDates.h"

namespace quillane {

namespace {
// "3 files are already in" A001: copies of the card's files that a transfer would check, not copy.
constexpr CountWords filesAlreadyIn{{"bestand staat al in", "bestanden staan al in"},
                                    {"file is already in", "files are already in"}};
}  // namespace

std::optional<std::string> AppModel::blockReason() const {
    if (transferState_ == TransferState::running) return std::nullopt;
    if (projectName_.empty()) return L("Kies eerst een project", "Choose a project first");
    if (!selectedSource()) return L("Sluit een camerakaart aan", "Connect a card");
    if (activeDestinations().empty()) return L("Sluit minimaal één SSD aan", "Connect at least one SSD");
    if (scanState_.is(ScanState::Kind::idle) || scanState_.is(ScanState::Kind::scanning))
        return L("Kaart wordt gescand…", "Scanning card…");
    if (scanState_.is(ScanState::Kind::failed)) return scanState_.message;
    if (!scan_ || scan_->files.empty()) return L("Geen bestanden om over te zetten", "No files to transfer");
    for (const DestinationPlan& plan : plans_)
        if (plan.freeBytes <= plan.requiredBytes + spaceMargin)
            return L("Te weinig ruimte op ", "Not enough space on ") + plan.driveName;
    return std::nullopt;
}

std::vector<std::filesystem::path> AppModel::missingFolders() const {
    std::vector<std::filesystem::path> all;
    for (const DestinationPlan& plan : plans_) all.insert(all.end(), plan.missing.begin(), plan.missing.end());
    return all;
}

AppModel::StartTicket AppModel::startTicket() const {
    return StartTicket{selectedSourceID_, scan_ ? scan_->fingerprint : std::string()};
}

bool AppModel::mayStart(const StartTicket& ticket) const {
    if (engine_ || transferState_ == TransferState::running) return false;
    if (selectedSourceID_ != ticket.sourceID || !scan_ || scan_->fingerprint != ticket.fingerprint) return false;
    return !blockReason().has_value();
}

bool AppModel::chosenRollHolds() const {
    return chosenRoll_ && chosenRoll_->ticket.sourceID == selectedSourceID_ && scan_ &&
           chosenRoll_->ticket.fingerprint == scan_->fingerprint;
}

bool AppModel::transferResumes() const {
    // A paused card is continued instead of copied again, also after another card was looked at in
    // the meantime. What blocks a new start (no SSD, too little room for a whole card) is not
    // asked of a resume: it needs its own card and drives back, and says which ones are missing.
    return paused_ && (transferState_ == TransferState::paused || selectedSourceID_ == paused_->job.sourceID);
}

bool AppModel::canRequestTransfer() const { return transferResumes() || !blockReason(); }

void AppModel::requestTransfer() {
    if (transferResumes()) {
        resumeTransfer();
        return;
    }
    if (transferState_ == TransferState::running || engine_) return;
    // The roll is chosen here, once, from what the drives hold now (they may have changed since
    // the plans were last made), and kept until the copy starts.
    chosenRoll_.reset();
    refreshPlans();
    if (blockReason()) return;
    chosenRoll_ = ChosenRoll{startTicket(), rollName_};
    const std::optional<TransferRecord> previous = previousTransfer();
    if (!previous) {
        requestFolders(true, false);
        return;
    }
    const StartTicket ticket = startTicket();
    QPointer<AppModel> self(this);
    setAlert(askingToStart(AlertMessage(
        L("Deze kaart is al overgezet", "This card was already transferred"),
        L("Op ", "On ") + ReportDates::mediumDateShortTime(previous->finishedAt, Lang::current) + L(" als ", " as ") + previous->roll + " (" +
            previous->project +
            // A copy made with verification off was never read back: it is not called verified.
            (previous->verified ? L("), geverifieerd. ", "), verified. ") : L("), niet geverifieerd. ", "), not verified. ")) +
            L("Toch nog een keer overzetten als ", "Transfer again anyway as ") +
            rollName_ + "?",
        L("Opnieuw overzetten", "Transfer again"), [self, ticket] {
            if (self && self->mayStart(ticket)) self->requestFolders(true, false);
        }), ticket));
}

AlertMessage AppModel::askingToStart(AlertMessage question, const StartTicket& ticket) {
    QPointer<AppModel> self(this);
    question.applies = [self, ticket] { return self && self->mayStart(ticket); };
    return question;
}

void AppModel::requestFolders(bool thenTransfer, bool silently) {
    const std::vector<std::filesystem::path> missing = missingFolders();
    if (missing.empty()) {
        if (thenTransfer) beginTransfer();
        return;
    }
    if (thenTransfer && (silently || !settings_.askBeforeCreatingFolders)) {
        createFolders(missing, true);
        return;
    }
    FolderRequest request;
    for (const DestinationPlan& plan : plans_) {
        if (plan.missing.empty()) continue;
        FolderRequest::Entry entry{plan.driveName, {}};
        const std::size_t baseLength = plan.baseURL.string().size();
        for (const std::filesystem::path& url : plan.missing) {
            const std::string path = url.string();
            entry.paths.push_back(path.size() > baseLength ? path.substr(baseLength) : std::string());
        }
        request.entries.push_back(std::move(entry));
    }
    request.urls = missing;
    request.thenTransfer = thenTransfer;
    pendingFolderTicket_ = startTicket();
    replace(folderRequest_, std::optional<FolderRequest>(std::move(request)), ModelField::folderRequest);
}

void AppModel::approveFolderRequest() {
    if (!folderRequest_) return;
    const FolderRequest request = *folderRequest_;
    replace(folderRequest_, std::optional<FolderRequest>(), ModelField::folderRequest);
    // The sheet may have stood open while the card or its scan changed: then only the folders.
    const bool thenTransfer = request.thenTransfer && mayStart(pendingFolderTicket_);
    createFolders(request.urls, thenTransfer);
}

bool AppModel::refuseGoneDestination() {
    for (const DestinationPlan& plan : plans_)
        for (const DriveState& drive : drives_)
            if (drive.info.id == plan.driveID && drive.volume && !DestinationFiles::liesOn(plan.baseURL, *drive.volume)) {
                setAlert(AlertMessage(plan.driveName + L(" is niet meer aangesloten", " is no longer connected"),
                                      L("Er is niets gekopieerd. Sluit de schijf opnieuw aan of zet hem uit voor deze transfer.",
                                        "Nothing was copied. Connect the drive again or switch it off for this transfer.")));
                return true;
            }
    return false;
}

void AppModel::createFolders(const std::vector<std::filesystem::path>& urls, bool thenTransfer) {
    // Folders for a pulled drive would land on the system disk, in its bare mount folder.
    if (refuseGoneDestination()) return;
    bool anyDemo = false;
    for (const std::filesystem::path& url : urls)
        if (PathRules::isDemoLocation(url)) anyDemo = demoFolders_.insert(url.string()).second || anyDemo;
    for (const std::filesystem::path& url : urls) {
        if (PathRules::isDemoLocation(url)) continue;
        if (!Folders::createAll(url)) {
            setAlert(AlertMessage(L("Mappen aanmaken mislukt", "Creating folders failed"),
                                  L("Kan de map niet aanmaken: ", "Can't create the folder: ") + url.string()));
            refreshPlans();
            return;
        }
    }
    refreshPlans();
    if (thenTransfer) beginTransfer();
}

void AppModel::beginTransfer() {
    refreshPlans();
    if (!scan_ || blockReason() || engine_ || transferState_ == TransferState::running) return;
    if (refuseGoneDestination()) return;

    std::vector<std::pair<std::string, int>> conflicts;
    int present = 0;
    for (const DestinationPlan& plan : plans_) {
        if (!plan.rollHasContent) continue;
        const RollFolderFiles::Count count = RollFolderFiles::compare(plan.rollURL, scan_->files);
        present += count.present;
        if (count.conflicting > 0) conflicts.emplace_back(plan.driveName, count.conflicting);
    }

    if (!conflicts.empty()) {
        replace(queue_, std::vector<QueueItem>(), ModelField::queue);
        const std::string proposed = rollAboveUsed(rollName_);
        std::string lines;
        for (const auto& [drive, count] : conflicts) {
            if (!lines.empty()) lines += "\n";
            lines += drive + ": " + countText(count, Counted::files) +
                     L(" met dezelfde naam maar andere inhoud.", " with the same name but different content.");
        }
        const StartTicket ticket = startTicket();
        QPointer<AppModel> self(this);
        setAlert(askingToStart(AlertMessage(
            rollName_ + L(" bestaat al", " already exists"),
            lines + "\n\n" + Product::name +
                L(" overschrijft nooit footage. Zet deze kaart over als ", " never overwrites footage. Transfer this card as ") +
                proposed + "?",
            L("Gebruik ", "Use ") + proposed, [self, proposed, ticket] {
                // Chosen for this card: another card selected meanwhile keeps its own roll.
                if (!self || !self->mayStart(ticket)) return;
                self->assign(self->rollOverride_, std::optional<std::string>(proposed), ModelField::rollOverride);
                self->reelAvoidingRoll_ = proposed;
                self->refreshPlans();
            }), ticket));
        return;
    }

    if (present > 0) {
        // A paused job going on does not ask again about the files it copied before its pause.
        if (!selectedSourceID_ || !resumingFor(*selectedSourceID_)) {
            const StartTicket ticket = startTicket();
            QPointer<AppModel> self(this);
            setAlert(askingToStart(AlertMessage(
                L("Transfer hervatten?", "Resume transfer?"),
                countText(present, filesAlreadyIn) + " " + rollName_ +
                    (present == 1
                         ? L(". Dat wordt niet opnieuw gekopieerd maar wel gecontroleerd met een checksum.",
                             ". It won't be copied again, but it will be checked with a checksum.")
                         : L(". Die worden niet opnieuw gekopieerd maar wel gecontroleerd met een checksum.",
                             ". They won't be copied again, but they will be checked with a checksum.")),
                L("Hervatten", "Resume"), [self, ticket] {
                    if (self && self->mayStart(ticket)) self->startEngine();
                }), ticket));
            return;
        }
    }
    startEngine();
}

}  // namespace quillane
