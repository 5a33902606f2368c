#include "Model/ModelServices.h"

#include "Model/CoreEngineFactory.h"
#include "Model/SystemSpaceProbe.h"
#include "Model/ThreadPoolWork.h"
#include "Support/Clock.h"
#include "Support/Lang.h"

namespace quillane {
namespace {

// The stand-ins for services nobody provided: they do nothing and answer "not available".
struct NoVolumes final : VolumeSource {
    void start(Callback onChange) override { onChange({}); }
};
struct NoPower final : PowerEvents {
    void start(std::function<void()>, std::function<void()>) override {}
    std::unique_ptr<PowerHold> holdAwake(const std::string&) override { return nullptr; }
};
struct NoNotifications final : NotificationCenter {
    void setSwitches(bool, std::optional<std::string>) override {}
    void requestPermission() override {}
    void post(const std::string&, const std::string&, NotificationKind) override {}
};
struct NoFeedback final : Feedback {
    void setProgress(std::optional<double>) override {}
    void requestAttention() override {}
    void playSound(FeedbackSound) override {}
};
struct NoDesktop final : Desktop {
    void openFolder(const std::filesystem::path&, NotShown) override {}
    void reveal(const std::filesystem::path&, NotShown) override {}
    void openWebPage(const std::string&) override {}
    bool openFile(const std::filesystem::path&) override { return false; }
};
struct NoEjector final : Ejector {
    void eject(const std::filesystem::path&, Done done) override {
        if (done) done(L("Uitwerpen is hier niet mogelijk.", "Ejecting is not available here."));
    }
};
struct NoFolderPicker final : FolderPicker {
    void pick(const FolderPickRequest&, Done done) override {
        if (done) done(std::nullopt);
    }
};
// Reports keep the page the engine wrote, without clip facts.
struct NoClipInspector final : ClipInspector {
    void inspect(std::vector<ScannedFile>, std::filesystem::path, Done) override {}
    void stopAll() override {}
};

template <typename Service, typename StandIn>
void fill(std::shared_ptr<Service>& service) {
    if (!service) service = std::make_shared<StandIn>();
}

}  // namespace

ModelServices ModelServices::completed() const {
    ModelServices result = *this;
    fill<VolumeSource, NoVolumes>(result.volumes);
    fill<BackgroundWork, ThreadPoolWork>(result.work);
    fill<PowerEvents, NoPower>(result.power);
    fill<NotificationCenter, NoNotifications>(result.notifications);
    fill<Feedback, NoFeedback>(result.feedback);
    fill<Desktop, NoDesktop>(result.desktop);
    fill<Ejector, NoEjector>(result.ejector);
    fill<FolderPicker, NoFolderPicker>(result.folderPicker);
    fill<SpaceProbe, SystemSpaceProbe>(result.space);
    fill<EngineFactory, CoreEngineFactory>(result.engines);
    fill<ClipInspector, NoClipInspector>(result.clipInspector);
    if (!result.now) result.now = [] { return Clock::current().now(); };
    return result;
}

}  // namespace quillane
