#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>

#include "Support/Lang.h"
#include "Support/Dates.h"
#include "Support/HostInfo.h"
#include "Support/Markup.h"
#include "Transfer/MHLWriter.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"
#include "support/Samples.h"
#include "support/TempDir.h"

using namespace quillane;
using quillane::testing::readFile;
using quillane::testing::TempDir;
namespace fs = std::filesystem;

namespace {
using quillane::testing::scannedFile;
using Hashes = std::vector<std::optional<std::string>>;
const auto start = Dates::fromUTC({2025, 3, 14, 9, 0, 0});
const auto finish = Dates::fromUTC({2025, 3, 14, 9, 26, 53});


class MHLWriterTest : public ::testing::Test {
protected:
    quillane::testing::TimeZoneScope zone_{"Europe/Amsterdam"};
    quillane::testing::LanguageScope language_;
    std::string creator(const std::string& log) const {
        return "  <creatorinfo>\n"
               "    <name>" + Markup::escape(HostInfo::fullUserName()) + "</name>\n"
               "    <username>" + Markup::escape(HostInfo::shortUserName()) + "</username>\n"
               "    <hostname>" + Markup::escape(HostInfo::hostName()) + "</hostname>\n"
               "    <tool>Quillane 1.0.1</tool>\n"
               "    <startdate>2025-03-14T09:00:00Z</startdate>\n"
               "    <finishdate>2025-03-14T09:26:53Z</finishdate>\n"
               "    <log>" + log + "</log>\n"
               "  </creatorinfo>\n";
    }
    TempDir dir;

};
}  // namespace

TEST_F(MHLWriterTest, ManifestMatchesTheLayoutWithLocalFileNameAndUTCDates) {
    Lang::current = AppLanguage::en;
    const std::string comment = MHLWriter::comment("Night <Shoot> & Co", "A:001", "CARD_1");
    EXPECT_EQ(comment, "Night <Shoot> & Co \u00B7 A:001 \u00B7 source: CARD_1");
    const std::vector<ScannedFile> files{
        scannedFile("DCIM/C0001.MP4", 4096, Dates::fromUTC({2025, 3, 13, 23, 59, 59})),
        scannedFile("DCIM/no-date & \"more\".MP4", 0),
        scannedFile("DCIM/unhashed.MP4", 12),
    };
    const auto path = MHLWriter::write(dir.path(), "A:001", files, Hashes{"0123456789abcdef", "fedcba9876543210"},
                                       ChecksumAlgorithm::xxhash64, start, finish, comment);
    // 09:26:53 UTC is 10:26:53 in Amsterdam in March.
    EXPECT_EQ(path, dir / "A-001_2025-03-14_102653.mhl");
    EXPECT_EQ(readFile(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<hashlist version=\"1.1\">\n" +
                  creator("Night &lt;Shoot&gt; &amp; Co \u00B7 A:001 \u00B7 source: CARD_1") +
                  "  <hash>\n"
                  "    <file>DCIM/C0001.MP4</file>\n"
                  "    <size>4096</size>\n"
                  "    <lastmodificationdate>2025-03-13T23:59:59Z</lastmodificationdate>\n"
                  "    <xxhash64be>0123456789abcdef</xxhash64be>\n"
                  "    <hashdate>2025-03-14T09:26:53Z</hashdate>\n"
                  "  </hash>\n"
                  "  <hash>\n"
                  "    <file>DCIM/no-date &amp; &quot;more&quot;.MP4</file>\n"
                  "    <size>0</size>\n"
                  "    <xxhash64be>fedcba9876543210</xxhash64be>\n"
                  "    <hashdate>2025-03-14T09:26:53Z</hashdate>\n"
                  "  </hash>\n"
                  "</hashlist>\n");
}

TEST_F(MHLWriterTest, DutchLogLineEmptyListAndMD5) {
    Lang::current = AppLanguage::nl;
    const std::string comment = MHLWriter::comment("Film", "S001", "ZOOM");
    EXPECT_EQ(comment, "Film \u00B7 S001 \u00B7 bron: ZOOM");
    Lang::current = AppLanguage::en;  // a written line keeps its language
    const auto path = MHLWriter::write(dir.path(), "S001", {}, {}, ChecksumAlgorithm::md5, start, finish, comment);
    EXPECT_EQ(readFile(path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<hashlist version=\"1.1\">\n" +
                                  creator("Film \u00B7 S001 \u00B7 bron: ZOOM") + "</hashlist>\n");

    const auto md5 = MHLWriter::write(dir / "", "S002", {scannedFile("a.wav", 1)}, Hashes{"d41d8cd98f00b204e9800998ecf8427e"},
                                      ChecksumAlgorithm::md5, start, finish, comment);
    EXPECT_NE(readFile(md5).find("    <md5>d41d8cd98f00b204e9800998ecf8427e</md5>\n"), std::string::npos);
}

TEST_F(MHLWriterTest, HostileTextGivesWellFormedXMLAndFailuresThrow) {
    const std::string hostile = "\xc3\xa9t\xc3\xa9 <&> \"\x7f\x02\xc0\xaf\" ']]>";
    const auto path = MHLWriter::write(dir.path(), hostile, {scannedFile(hostile, 1)}, Hashes{"ab"}, ChecksumAlgorithm::xxhash64,
                                       start, finish, hostile);
    pugi::xml_document document;
    const auto parsed = document.load_file(path.c_str());
    ASSERT_TRUE(parsed) << parsed.description();
    const std::string repaired = "\xc3\xa9t\xc3\xa9 <&> \"\x7f\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\" ']]>";
    EXPECT_EQ(document.child("hashlist").child("hash").child_value("file"), repaired);
    EXPECT_EQ(document.child("hashlist").child("creatorinfo").child_value("log"), repaired);
    EXPECT_EQ(path.parent_path(), dir.path());  // "/" and friends never leave the folder

    EXPECT_THROW(MHLWriter::write(dir / "missing", "A001", {}, {}, ChecksumAlgorithm::md5, start, finish, ""),
                 FileError);
}

TEST_F(MHLWriterTest, CopiedManifestFolderIsLeftOutOnlyWhereItsChainGoesOn) {
    const std::vector<ScannedFile> files{scannedFile("ascmhl/ascmhl_chain.xml", 300), scannedFile("ascmhl/0001_A001.mhl", 20),
                                         scannedFile("DCIM/ascmhl/kept.txt", 1), scannedFile("C0001.MP4", 5)};
    // With an ASC MHL manifest beside it the chain changes; alone, nothing rewrites it.
    for (bool ascToo : {true, false}) {
        const auto path = MHLWriter::write(dir.path(), ascToo ? "A001" : "A002", files, Hashes{"1", "2", "3", "4"},
                                           ChecksumAlgorithm::xxhash64, start, finish, "log", ascToo);
        pugi::xml_document document;
        ASSERT_TRUE(document.load_file(path.c_str()));
        std::vector<std::string> listed;
        for (auto hash : document.child("hashlist").children("hash")) listed.push_back(hash.child_value("file"));
        EXPECT_EQ(listed.size(), ascToo ? 2u : 4u);
        EXPECT_EQ(listed.back(), "C0001.MP4");
    }
}
