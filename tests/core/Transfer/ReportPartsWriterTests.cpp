#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "Support/Dates.h"
#include "Support/HostInfo.h"
#include "Transfer/ClipInfo.h"
#include "Transfer/ReportDates.h"
#include "support/CommaLocale.h"
#include "support/Scopes.h"

using namespace quillane;

namespace {
using ZoneScope = quillane::testing::TimeZoneScope;
}  // namespace

TEST(HostInfo, NamesTheMachineAndTheUser) {
    char expected[256] = {};
    ASSERT_EQ(::gethostname(expected, sizeof expected - 1), 0);
    EXPECT_EQ(HostInfo::hostName(), expected);
    EXPECT_FALSE(HostInfo::shortUserName().empty());
    EXPECT_NE(HostInfo::shortUserName(), "unknown");
    const std::string full = HostInfo::fullUserName();
    EXPECT_FALSE(full.empty());
    EXPECT_EQ(full.find(','), std::string::npos);
}

TEST(ReportDates, FollowTheLanguageAndTheMachinesZone) {
    const auto time = Dates::fromUTC({2025, 3, 14, 9, 26, 53});
    {
        ZoneScope zone("Europe/Amsterdam");
        const std::string en = ReportDates::longDateShortTime(time, AppLanguage::en);
        const std::string nl = ReportDates::longDateShortTime(time, AppLanguage::nl);
        EXPECT_NE(en.find("14 March 2025"), std::string::npos) << en;
        EXPECT_NE(en.find("10:26"), std::string::npos) << en;
        EXPECT_NE(nl.find("14 maart 2025"), std::string::npos) << nl;
        EXPECT_NE(nl.find("10:26"), std::string::npos) << nl;
        EXPECT_EQ(ReportDates::mediumTime(time, AppLanguage::en), "10:26:53");
        EXPECT_EQ(ReportDates::mediumTime(time, AppLanguage::nl), "10:26:53");
    }
    {
        ZoneScope zone("America/New_York");
        EXPECT_EQ(ReportDates::mediumTime(time, AppLanguage::en), "05:26:53");
    }
}

TEST(ClipInfo, SummaryJoinsTheKnownFacts) {
    EXPECT_EQ(ClipInfo{}.summary(), "");

    ClipInfo full;
    full.duration = 75.6;
    full.width = 1920;
    full.height = 1080;
    full.fps = 25;
    full.codec = "ProRes 422 HQ";
    EXPECT_EQ(full.summary(), "0:01:16 \u00B7 1920\u00D71080 \u00B7 25 fps \u00B7 ProRes 422 HQ");

    ClipInfo partial;
    partial.width = 3840;  // a size needs both sides
    partial.duration = 3725.5;  // halves round away from zero
    partial.fps = 23.976;
    EXPECT_EQ(partial.summary(), "1:02:06 \u00B7 23.98 fps");

    ClipInfo nearlyWhole;
    nearlyWhole.fps = 24.999;
    EXPECT_EQ(nearlyWhole.summary(), "25 fps");
    nearlyWhole.fps = 59.94;
    EXPECT_EQ(nearlyWhole.summary(), "59.94 fps");
    nearlyWhole.fps = 29.97;
    EXPECT_EQ(nearlyWhole.summary(), "29.97 fps");

    // The app's process formats numbers the desktop's way; the summary keeps its decimal point.
    quillane::testing::CommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    EXPECT_EQ(partial.summary(), "1:02:06 \u00B7 23.98 fps");
}
