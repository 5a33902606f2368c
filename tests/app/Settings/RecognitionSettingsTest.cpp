#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "Views/Kit/TextLabel.h"
#include "Views/Settings/RecognitionSettings.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace quillane {
namespace {

TEST(RecognitionSettings, LearnedDrivesInCodePointOrderAndForgotten) {
    testing::LanguageScope english(AppLanguage::en);
    testing::ModelHarness harness;
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& s) {
        s.learnedDrives["U-b"] = LearnedDrive{"b_SSD", DriveRole::destination, {}};
        s.learnedDrives["U-A"] = LearnedDrive{"A_CARD", DriveRole::source, {}};
        s.learnedDrives["U-a"] = LearnedDrive{"a_card", DriveRole::ignored, {}};
    });
    harness.settle();
    RecognitionSettings tab(model);
    testing::saveRender(tab, QStringLiteral("recognition-learned"), QSize(600, 560));
    // The names of the rows as they stand on screen, top to bottom.
    const auto shown = [&] {
        tab.layout()->activate();
        for (QLayout* layout : tab.findChildren<QLayout*>()) layout->activate();
        std::vector<std::pair<int, QString>> rows;
        for (auto* name : tab.findChildren<TextLabel*>(QStringLiteral("learnedName")))
            if (name->isVisibleTo(&tab)) rows.emplace_back(name->mapTo(&tab, QPoint()).y(), name->text());
        std::sort(rows.begin(), rows.end());
        QStringList names;
        for (const auto& row : rows) names << row.second;
        return names;
    };
    QStringList names = shown();
    EXPECT_EQ(names, QStringList({"A_CARD", "a_card", "b_SSD"}));
    QStringList roles;
    for (auto* role : tab.findChildren<TextLabel*>(QStringLiteral("learnedRole"))) roles << role->text();
    EXPECT_TRUE(roles.contains(QStringLiteral("Ignore")));
    EXPECT_FALSE(tab.findChild<QLabel*>(QStringLiteral("nothingLearned"))->isVisibleTo(&tab));

    // Forget, one after the other, from the rows' own buttons.
    for (int left = 2; left >= 0; --left) {
        QAbstractButton* forget = tab.findChildren<QAbstractButton*>(QStringLiteral("forget")).first();
        for (auto* button : tab.findChildren<QAbstractButton*>(QStringLiteral("forget")))
            if (button->isVisibleTo(&tab)) forget = button;
        QTest::mouseClick(forget, Qt::LeftButton);
        harness.settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(static_cast<int>(model.settings().learnedDrives.size()), left);
        EXPECT_EQ(static_cast<int>(shown().size()), left);
    }
    EXPECT_TRUE(tab.findChild<QLabel*>(QStringLiteral("nothingLearned"))->isVisibleTo(&tab));
    testing::saveRender(tab, QStringLiteral("recognition-empty"), QSize(600, 480));
    const std::string stored = testing::readFile(harness.store / "settings.json");
    EXPECT_EQ(stored.find("A_CARD"), std::string::npos);
    EXPECT_EQ(stored.find("b_SSD"), std::string::npos);
}

TEST(RecognitionSettings, RowsFollowTheNamesAsPlainText) {
    std::map<std::string, LearnedDrive> learned{
        {"1", {"b_SSD", DriveRole::destination, {}}}, {"2", {"A_CARD", DriveRole::source, {}}},
        {"3", {"a_card", DriveRole::ignored, {}}},    {"4", {"Émile", DriveRole::source, {}}},
        {"5", {"Zulu", DriveRole::source, {}}},
    };
    std::vector<std::string> order;
    for (const LearnedDriveRow& row : learnedDriveRows(learned)) order.push_back(row.name);
    EXPECT_EQ(order, (std::vector<std::string>{"A_CARD", "Zulu", "a_card", "b_SSD", "Émile"}));
}

}  // namespace
}  // namespace quillane
