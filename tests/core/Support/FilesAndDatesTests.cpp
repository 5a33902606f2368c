#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "Support/AtomicFile.h"
#include "Support/Base64.h"
#include "Support/Dates.h"
#include "Support/FileIO.h"
#include "Support/Markup.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using quillane::testing::TempDir;

TEST(AtomicFile, WritesReplacesAndLeavesNoTemporaryOnFailure) {
    TempDir dir;
    const auto target = dir / "settings.json";
    AtomicFile::write(target, "first");
    AtomicFile::write(target, "second");
    EXPECT_EQ(quillane::testing::readFile(target), "second");

    {
        quillane::testing::FaultyFileIO failingSync;
        failingSync.fail({.call = quillane::testing::FaultyFileIO::Call::fsync});
        EXPECT_THROW(AtomicFile::write(target, "third"), FileError);
    }
    EXPECT_EQ(quillane::testing::readFile(target), "second");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);

    EXPECT_THROW(AtomicFile::write(dir / "missing-folder" / "x.json", "x"), FileError);
}

TEST(FileOps, ReadFileRefusesFoldersAndOversizedFiles) {
    TempDir dir;
    quillane::testing::writeFile(dir / "big", std::string(2000, 'x'));
    EXPECT_EQ(FileOps::readFile(dir / "big").size(), 2000u);
    EXPECT_THROW(FileOps::readFile(dir / "big", 1000), FileError);
    EXPECT_THROW(FileOps::readFile(dir.path()), FileError);
    try {
        FileOps::readFile(dir / "nope");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.code().value(), ENOENT);
        EXPECT_EQ(e.path(), dir / "nope");
    }
}

TEST(Dates, ISO8601RoundTripsInUTCWithWholeSeconds) {
    const auto t = Dates::parseISO8601("2025-03-14T09:26:53Z");
    ASSERT_TRUE(t);
    EXPECT_EQ(Dates::iso8601(*t), "2025-03-14T09:26:53Z");
    EXPECT_EQ(Dates::iso8601(*t + std::chrono::milliseconds(999)), "2025-03-14T09:26:53Z");
    EXPECT_EQ(Dates::iso8601(*Dates::parseISO8601("2025-03-14T10:26:53+01:00")), "2025-03-14T09:26:53Z");
    EXPECT_EQ(Dates::iso8601(*Dates::parseISO8601("2024-02-29T23:59:59.250Z")), "2024-02-29T23:59:59Z");
    EXPECT_EQ(Dates::iso8601(Dates::TimePoint{}), "1970-01-01T00:00:00Z");
    EXPECT_EQ(Dates::iso8601(*Dates::parseISO8601("1969-12-31T23:59:59Z")), "1969-12-31T23:59:59Z");
    for (const char* bad : {"", "2025-03-14", "2025-02-30T00:00:00Z", "2025-03-14T09:26:53", "2025-13-01T00:00:00Z",
                            "2025-03-14T09:26:53Zjunk", "2025-03-14 09:26:53Z", "x025-03-14T09:26:53Z"})
        EXPECT_FALSE(Dates::parseISO8601(bad)) << bad;
}

TEST(Dates, MomentsBeyondTheClockAreRejectedRatherThanWrapped) {
    // The clock ticks in nanoseconds and ends in April 2262 (and begins in 1677); a stored year
    // outside that used to overflow while converting and came back as some other moment.
    for (const char* far : {"1013-03-05T14:07:09.123+01:30", "0000-01-01T00:00:00Z", "9999-12-31T23:59:59Z",
                            "2262-04-11T23:47:17Z", "1677-09-21T00:12:43Z"})
        EXPECT_FALSE(Dates::parseISO8601(far)) << far;
    EXPECT_EQ(Dates::iso8601(*Dates::parseISO8601("2262-04-11T23:47:16Z")), "2262-04-11T23:47:16Z");
    EXPECT_EQ(Dates::iso8601(*Dates::parseISO8601("1677-09-21T00:12:44Z")), "1677-09-21T00:12:44Z");
    EXPECT_EQ(Dates::fromUTC({5000, 1, 1, 0, 0, 0}), Dates::TimePoint::max());
    EXPECT_EQ(Dates::fromUTC({1000, 1, 1, 0, 0, 0}), Dates::TimePoint::min());
}

TEST(Markup, EscapesTheFourCharactersAndMakesTextWellFormed) {
    EXPECT_EQ(Markup::escape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(Markup::escape("&amp;"), "&amp;amp;");
    EXPECT_EQ(Markup::escape("Zoë"), "Zoë");
    EXPECT_EQ(Markup::escape("a\x01" "b\xFF"), "a\uFFFDb\uFFFD");
}

TEST(Base64, StandardAlphabetWithPaddingAndNoLineBreaks) {
    EXPECT_EQ(Base64::encode(""), "");
    EXPECT_EQ(Base64::encode("f"), "Zg==");
    EXPECT_EQ(Base64::encode("fo"), "Zm8=");
    EXPECT_EQ(Base64::encode("foo"), "Zm9v");
    EXPECT_EQ(Base64::encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64::encode(std::string("\xFB\xFF\xBF", 3)), "+/+/");
    const std::string long_(1000, '\xAB');
    const std::string encoded = Base64::encode(long_);
    EXPECT_EQ(encoded.size(), 1336u);
    EXPECT_EQ(encoded.find('\n'), std::string::npos);
}
