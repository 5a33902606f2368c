#include <gtest/gtest.h>

#include "Views/Kit/StyledButton.h"
#include "Views/Main/DestinationStatus.h"
#include "Views/Main/QueueList.h"
#include "Views/Main/SourceContents.h"
#include "Views/Kit/TextLine.h"
#include "support/ChildWidget.h"
#include "support/OffscreenApp.h"
#include "support/QtPrinters.h"
#include "support/Scopes.h"
#include "support/app/MainWindowStaging.h"
#include "support/app/ModelHarness.h"

using namespace quillane;
using namespace quillane::testing;

TEST(SourceContents, ChoicesScanLineAndAlreadyTransferred) {
    ModelHarness harness;
    AppModel& model = harness.make();
    stageCart(harness.stage(), 2, 3, 0, TransferState::idle);
    TransferRecord earlier("Feature", "A003", 1, "FX6_CARD", std::nullopt, "0123456789abcdef", 120, 64'000'000'000,
                           std::chrono::system_clock::now(), {{"SSD_1", "/media/SSD_1/Feature/FOOTAGE/A003", true}}, true);
    harness.stage().history({earlier});
    harness.settle();
    SourceContents contents(model);
    contents.setFixedWidth(290);
    contents.refresh(SourceContents::reads());
    quillane::testing::saveRender(contents, "source-contents");
    EXPECT_EQ(child<StyledButton>(contents, "sourceFolderChoice")->text(), "Choose folder…");
    EXPECT_EQ(child<TextLine>(contents, "scanLine")->text(), "64 GB · 120 files");
    auto* previous = child<TextLine>(contents, "previousTransfer");
    EXPECT_TRUE(previous->isVisibleTo(&contents));
    EXPECT_TRUE(previous->text().startsWith("Already transferred as A003 · "));

    harness.stage().scan(std::nullopt, ScanState::failed("The card can't be read")).transfer(TransferState::running);
    contents.refresh(SourceContents::reads());
    EXPECT_EQ(child<TextLine>(contents, "scanLine")->text(), "The card can't be read");
    EXPECT_FALSE(child<StyledButton>(contents, "sourceRootChoice")->isEnabledTo(&contents));
    EXPECT_FALSE(previous->isVisibleTo(&contents));
}

TEST(QueueList, NumbersRowsAndRemovesThroughTheModel) {
    ModelHarness harness;
    AppModel& model = harness.make();
    stageCart(harness.stage(), 2, 4, 3, TransferState::running);
    QueueList list(model);
    list.setFixedWidth(290);
    quillane::testing::saveRender(list, "queue-list");
    auto rows = list.findChildren<QueueRowView*>("queueRow");
    ASSERT_EQ(rows.size(), 3);
    QWidget* keep = rows[2];
    child<StyledButton>(*rows[1], "queueRemove")->click();
    ASSERT_EQ(model.queue().size(), 2u);
    list.refresh();
    rows = list.findChildren<QueueRowView*>("queueRow");
    int shown = 0;
    for (QueueRowView* row : rows) shown += row->isVisibleTo(&list);
    EXPECT_EQ(shown, 2);
    // The last row is the same widget, now numbered 2.
    bool renumbered = false;
    for (TextLine* line : keep->findChildren<TextLine*>()) renumbered = renumbered || line->text() == "2";
    EXPECT_TRUE(renumbered);
}

TEST(DestinationStatus, FollowsTheTransferOfItsSSD) {
    struct Case {
        TransferState state;
        DestinationStatusLine::Kind kind;
        const char* widget;
        const char* text;
    };
    using Kind = DestinationStatusLine::Kind;
    const std::vector<Case> cases = {
        {TransferState::idle, Kind::space, "destinationSpaceText", "64 GB needed · 1.34 TB stays free"},
        {TransferState::running, Kind::progress, "destinationProgressText", "Copying…"},
        {TransferState::paused, Kind::progress, "destinationProgressText", "Paused"},
        {TransferState::cancelled, Kind::progress, "destinationProgressText", "Stopped"},
        {TransferState::succeeded, Kind::result, "destinationResultText", "Verified · MHL"},
        {TransferState::failed, Kind::result, "destinationResultText", "Incomplete: The card was removed"},
    };
    for (const Case& c : cases) {
        ModelHarness harness;
        AppModel& model = harness.make();
        stageCart(harness.stage(), 2, 1, 0, c.state);
        DestinationStatus status(model);
        status.display(model.plans().at(1));
        status.setFixedWidth(300);
        EXPECT_EQ(status.kind(), c.kind) << static_cast<int>(c.state);
        EXPECT_EQ(child<TextLine>(status, c.widget)->text(), c.text);
        quillane::testing::saveRender(status, QStringLiteral("destination-status-%1").arg(static_cast<int>(c.state)));
    }
}
