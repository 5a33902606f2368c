#include <gtest/gtest.h>

#include "support/Scopes.h"
#include "Support/Dates.h"
#include "Views/TransferColumn/RecentTransferLook.h"

using namespace quillane;
using Dest = TransferRecord::Destination;

namespace {

// A verified record of `project` finished `minute` minutes after 09:00, newest-first histories built by the caller.
TransferRecord record(const char* project, const char* roll, int minute, std::vector<Dest> destinations) {
    const auto start = *Dates::parseISO8601("2026-03-05T09:00:00Z");
    return TransferRecord(project, roll, 1, std::string("CARD ") + roll, std::nullopt, std::string("fp-") + roll, 10,
                          2'000'000'000, start + std::chrono::minutes(minute), std::move(destinations), true);
}

std::vector<std::string> rolls(const std::vector<RecentTransferLook>& rows) {
    std::vector<std::string> names;
    for (const RecentTransferLook& row : rows) names.push_back(row.roll);
    return names;
}

}  // namespace

TEST(RecentTransfers, NewestFiveOfTheProject) {
    const std::vector<Dest> two{Dest("SSD A", "/a", true, "ua"), Dest("SSD B", "/b", true, "ub")};
    std::vector<TransferRecord> history;
    for (int i = 7; i >= 1; --i) history.push_back(record("Feature", ("A00" + std::to_string(i)).c_str(), i, two));
    history.push_back(record("Other", "Z001", 99, two));

    const auto rows = recentTransferRows("feature", history);
    EXPECT_EQ(rolls(rows), (std::vector<std::string>{"A007", "A006", "A005", "A004", "A003"}));
    EXPECT_EQ(rows[0].sourceName, "CARD A007");
    EXPECT_EQ(rows[0].size, "2 GB");
    EXPECT_EQ(rows[0].copies, 2);
    EXPECT_EQ(rows[0].drives, "SSD A + SSD B");
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_TRUE(rows[i].divider) << i;
    EXPECT_FALSE(rows.back().divider);

    EXPECT_TRUE(recentTransferRows("Nothing yet", history).empty());
}

TEST(RecentTransfers, EqualDatesKeepTheCatalogOrderAndFailuresShowNoCopies) {
    // Newest first: B002 and A001 finished at the same minute; the catalog lists A001 first
    // (its first transfer is older), so it stays first.
    const std::vector<TransferRecord> history{
        record("Feature", "B002", 10, {Dest("SSD A", "/a", false, "ua")}),
        record("Feature", "A001", 10, {Dest("SSD A", "/a", true, "ua")}),
        record("Feature", "A001", 5, {Dest("SSD B", "/b", true, "ub")}),
    };
    const auto rows = recentTransferRows("Feature", history);
    EXPECT_EQ(rolls(rows), (std::vector<std::string>{"A001", "B002"}));
    EXPECT_EQ(rows[1].copies, 0);
    EXPECT_EQ(rows[1].drives, "");
    EXPECT_FALSE(rows[1].divider);

    quillane::testing::LanguageScope dutch(AppLanguage::nl);
    EXPECT_EQ(recentTransfersTitle("Feature"), "Overgezet · Feature");
}
