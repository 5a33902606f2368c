#include "Model/AppModel.h"
#include "Product/Product.h"
#include "Updates/UpdateCheck.h"

// The update check: the feed is read in the background, the offer set on the model's thread.
namespace quillane {

void AppModel::checkForUpdates(bool manual) {
    const std::string url = services_.updateFeedURL.empty() ? UpdateCheck::feedURL() : services_.updateFeedURL;
    const std::chrono::milliseconds timeout = services_.timings.updateFeedTimeout;
    inBackground([this, url, timeout, manual, stop = updateChecksStop_]() -> std::function<void()> {
        std::optional<ReleaseInfo> release;
        try {
            release = UpdateCheck::fetch(url, timeout, stop.get());
        } catch (const std::exception&) {
        }
        return [this, release = std::move(release), manual] {
            if (!release) {
                if (manual)
                    setAlert(AlertMessage("Updates", L("Kon niet controleren op updates. Is er internet?",
                                                       "Couldn't check for updates. Are you online?")));
                return;
            }
            setAvailableUpdate(UpdateCheck::offer(*release, Product::version, UpdateCheck::systemVersion()));
            if (!manual) return;
            if (!availableUpdate_) {
                const std::string version = Product::version;
                setAlert(AlertMessage(L("Geen update", "No update"),
                                      L("Je hebt de nieuwste versie (" + version + ").",
                                        "You have the latest version (" + version + ").")));
            } else {
                setShowUpdate(true);
            }
        };
    });
}

void AppModel::downloadUpdate() {
    if (!availableUpdate_) return;
    setShowUpdate(false);
    services_.desktop->openWebPage(availableUpdate_->url);
}

}  // namespace quillane
