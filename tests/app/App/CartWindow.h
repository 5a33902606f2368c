#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "App/MainWindow.h"
#include "Model/AppModel.h"
#include "support/TempDir.h"
#include "support/app/ModelFakes.h"
#include "support/app/WindowWidgets.h"

namespace quillane::testing {

// The main window as a crew at the cart meets it: the real window over the real shell services,
// with a Sony card and two SSDs that are folders the test plugs in and pulls (the volume list is
// the one service replaced), and the real copy engine, held before it copies when asked. The
// project "Alpha" is chosen and folders are created without asking; texts in English. Free space
// is the file system's, unless the test sets a drive's.
class CartWindow {
public:
    explicit CartWindow(ModelTimings timings = {});
    ~CartWindow();
    CartWindow(const CartWindow&) = delete;
    CartWindow& operator=(const CartWindow&) = delete;

    TempDir root{"quillane-cart"};
    TempDir store{"quillane-cart-store"};
    std::filesystem::path card = root / "FX6_CARD";
    std::filesystem::path ssdA = root / "SSD_A";
    std::filesystem::path ssdB = root / "SSD_B";
    std::shared_ptr<FakeVolumeSource> volumes = std::make_shared<FakeVolumeSource>();
    std::shared_ptr<CountingEngineFactory> engines = std::make_shared<CountingEngineFactory>();
    std::shared_ptr<FakeSpaceProbe> space = std::make_shared<FakeSpaceProbe>();

    // For setting the scene and for checks; the steps under test go through the widgets.
    AppModel& model() { return *model_; }
    MainWindow& window() { return *window_; }

    std::vector<DriveInfo> all() const;
    std::vector<DriveInfo> allBut(const std::string& name) const;
    // Reports these volumes as mounted and waits until the card is scanned (when it is among them).
    void plug(const std::vector<DriveInfo>& mounted);
    // Presses TRANSFER (the engine held before it copies when `held`) and waits until it runs.
    bool startTransfer(bool held);

    // Runs events until the condition holds, at most 30 s.
    static bool waitFor(const std::function<bool()>& condition);

private:
    std::unique_ptr<AppModel> model_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace quillane::testing
