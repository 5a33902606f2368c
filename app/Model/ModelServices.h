#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Model/Seams/BackgroundWork.h"
#include "Model/Seams/ClipInspector.h"
#include "Model/Seams/Desktop.h"
#include "Model/Seams/Ejector.h"
#include "Model/Seams/EngineFactory.h"
#include "Model/Seams/Feedback.h"
#include "Model/Seams/FolderPicker.h"
#include "Model/Seams/ModelTimings.h"
#include "Model/Seams/NotificationCenter.h"
#include "Model/Seams/PowerEvents.h"
#include "Model/Seams/SpaceProbe.h"
#include "Model/Seams/VolumeSource.h"

namespace quillane {

// Everything the model reaches outside itself. The shell fills it with the Linux services of
// app/Platform; tests with the fakes of tests/support. A service left empty is replaced by
// a stand-in: real background threads, free space, engines and wall clock, and for the rest
// one that does nothing (no volumes, no sleep events, no notifications, no clip facts …).
struct ModelServices {
    std::shared_ptr<VolumeSource> volumes;
    std::shared_ptr<BackgroundWork> work;
    std::shared_ptr<PowerEvents> power;
    std::shared_ptr<NotificationCenter> notifications;
    std::shared_ptr<Feedback> feedback;
    std::shared_ptr<Desktop> desktop;
    std::shared_ptr<Ejector> ejector;
    std::shared_ptr<FolderPicker> folderPicker;
    std::shared_ptr<SpaceProbe> space;
    std::shared_ptr<EngineFactory> engines;
    std::shared_ptr<ClipInspector> clipInspector;
    // The current moment; shoot days and the dates in folder names follow it.
    std::function<std::chrono::system_clock::time_point()> now;
    ModelTimings timings;
    // Started for screenshots: no update checks.
    bool snapshotMode = false;
    // Where the update check looks; empty: the product's own feed.
    std::string updateFeedURL;

    // This bundle with every empty service replaced by its stand-in.
    ModelServices completed() const;
};

}  // namespace quillane
