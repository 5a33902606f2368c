#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>

#include "Support/Dates.h"
#include "Support/HostInfo.h"
#include "Support/Markup.h"
#include "Transfer/ASCMHLWriter.h"
#include "Transfer/C4.h"
#include "support/FaultyFileIO.h"
#include "support/Samples.h"
#include "support/TempDir.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::FaultyFileIO;
using quillane::testing::readFile;
using quillane::testing::TempDir;
using quillane::testing::writeFile;
namespace fs = std::filesystem;

namespace {
using quillane::testing::scannedFile;
using Hashes = std::vector<std::optional<std::string>>;

const auto finish = Dates::fromUTC({2025, 3, 14, 9, 26, 53}) + std::chrono::milliseconds(700);

fs::path writeOnce(const fs::path& root, Dates::TimePoint when = finish) {
    return ASCMHLWriter::write(root, {scannedFile("C001.mov", 10)}, Hashes{"00000000000000aa"}, ChecksumAlgorithm::xxhash64,
                               when, "1.0.1");
}

std::vector<fs::path> manifestsIn(const fs::path& folder) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".mhl") names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every chain entry as (sequence number, manifest name, c4), checked to be well-formed XML.
struct Entry {
    long long number;
    std::string path, c4;
};
std::vector<Entry> chainEntries(const fs::path& chainFile) {
    pugi::xml_document document;
    const auto parsed = document.load_file(chainFile.c_str());
    EXPECT_TRUE(parsed) << parsed.description();
    std::vector<Entry> entries;
    for (auto hashlist : document.child("ascmhldirectory").children("hashlist"))
        entries.push_back({hashlist.attribute("sequencenr").as_llong(), hashlist.child_value("path"),
                           hashlist.child_value("c4")});
    return entries;
}
}  // namespace

TEST(ASCMHLWriter, FirstManifestAndChainMatchTheLayoutByteForByte) {
    TempDir dir;
    const fs::path root = dir / "R&D:01";
    fs::create_directories(root);
    const std::vector<ScannedFile> files{
        scannedFile("CLIPS/A001C001.mov", 1234, Dates::fromUTC({2025, 3, 13, 18, 5, 9})),
        scannedFile("CLIPS/R&D \"take\" <2>.mov", 0),
        scannedFile("CLIPS/unhashed.mov", 99),
        scannedFile("ascmhl/0001_OLD_2024-01-01_000000Z.mhl", 5),  // an earlier offload on the card
        scannedFile("extra-without-hash.wav", 1),
    };
    const Hashes hashes{"0123456789abcdef", "fedcba9876543210", std::nullopt, "1111111111111111"};

    const fs::path manifest = ASCMHLWriter::write(root, files, hashes, ChecksumAlgorithm::xxhash64, finish, "1.0.1");
    EXPECT_EQ(manifest, root / "ascmhl" / "0001_R&D-01_2025-03-14_092653Z.mhl");

    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<hashlist version=\"2.0\" xmlns=\"urn:ASC:MHL:v2.0\">\n"
        "  <creatorinfo>\n"
        "    <creationdate>2025-03-14T09:26:53Z</creationdate>\n"
        "    <hostname>" + Markup::escape(HostInfo::hostName()) + "</hostname>\n"
        "    <tool version=\"1.0.1\">Quillane</tool>\n"
        "    <author>" + Markup::escape(HostInfo::fullUserName()) + "</author>\n"
        "  </creatorinfo>\n"
        "  <processinfo>\n"
        "    <process>transfer</process>\n"
        "    <ignore>\n"
        "      <pattern>.DS_Store</pattern>\n"
        "      <pattern>ascmhl</pattern>\n"
        "      <pattern>ascmhl/</pattern>\n"
        "      <pattern>*.mhl</pattern>\n"
        "      <pattern>*_report.html</pattern>\n"
        "      <pattern>*_rapport.html</pattern>\n"
        "    </ignore>\n"
        "  </processinfo>\n"
        "  <hashes>\n"
        "    <hash>\n"
        "      <path size=\"1234\" lastmodificationdate=\"2025-03-13T18:05:09Z\">CLIPS/A001C001.mov</path>\n"
        "      <xxh64 action=\"original\" hashdate=\"2025-03-14T09:26:53Z\">0123456789abcdef</xxh64>\n"
        "    </hash>\n"
        "    <hash>\n"
        "      <path size=\"0\">CLIPS/R&amp;D &quot;take&quot; &lt;2&gt;.mov</path>\n"
        "      <xxh64 action=\"original\" hashdate=\"2025-03-14T09:26:53Z\">fedcba9876543210</xxh64>\n"
        "    </hash>\n"
        "  </hashes>\n"
        "</hashlist>\n";
    const std::string written = readFile(manifest);
    EXPECT_EQ(written, expected);

    EXPECT_EQ(readFile(root / "ascmhl" / "ascmhl_chain.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<ascmhldirectory xmlns=\"urn:ASC:MHL:DIRECTORY:v2.0\">\n"
              "  <hashlist sequencenr=\"1\">\n"
              "    <path>0001_R&amp;D-01_2025-03-14_092653Z.mhl</path>\n"
              "    <c4>" + C4::identifier(written) + "</c4>\n"
              "  </hashlist>\n"
              "</ascmhldirectory>\n");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(written.c_str()));
    EXPECT_STREQ(document.child("hashlist").child("hashes").first_child().child_value("path"), "CLIPS/A001C001.mov");
}

TEST(ASCMHLWriter, MD5ManifestsUseTheirElement) {
    TempDir dir;
    const auto manifest = ASCMHLWriter::write(dir.path(), {scannedFile("a.wav", 3)}, Hashes{"d41d8cd98f00b204e9800998ecf8427e"},
                                              ChecksumAlgorithm::md5, finish, "1.0.1");
    EXPECT_NE(readFile(manifest).find("      <md5 action=\"original\" hashdate=\"2025-03-14T09:26:53Z\">"
                                      "d41d8cd98f00b204e9800998ecf8427e</md5>\n"),
              std::string::npos);
}

TEST(ASCMHLWriter, LaterTransfersAreNumberedAndChainedInOrder) {
    TempDir dir;
    const fs::path root = dir / "A001";
    std::vector<fs::path> written;
    for (int i = 0; i < 10; ++i) written.push_back(writeOnce(root, finish + std::chrono::hours(i)));
    EXPECT_EQ(written[1].filename(), "0002_A001_2025-03-14_102653Z.mhl");
    EXPECT_EQ(written[9].filename(), "0010_A001_2025-03-14_182653Z.mhl");

    const auto entries = chainEntries(root / "ascmhl" / "ascmhl_chain.xml");
    ASSERT_EQ(entries.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(entries[i].number, i + 1);
        EXPECT_EQ(entries[i].path, written[i].filename().string());
        EXPECT_EQ(entries[i].c4, C4::identifier(readFile(written[i])));  // the bytes on disk
    }

    // A lost chain does not restart the numbering: the manifests still name their numbers.
    fs::remove(root / "ascmhl" / "ascmhl_chain.xml");
    EXPECT_EQ(writeOnce(root, finish + std::chrono::hours(20)).filename(), "0011_A001_2025-03-15_052653Z.mhl");
    const auto fresh = chainEntries(root / "ascmhl" / "ascmhl_chain.xml");
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(fresh[0].number, 11);
    EXPECT_EQ(manifestsIn(root / "ascmhl").size(), 11u);
}

TEST(ASCMHLWriter, DamagedChainIsKeptAsideAndNumberingGoesOn) {
    TempDir dir;
    const fs::path root = dir / "A001";
    writeOnce(root);
    writeOnce(root);
    const fs::path chain = root / "ascmhl" / "ascmhl_chain.xml";
    const std::string whole = readFile(chain);
    // Cut inside the second entry; its number is still readable, as the gap up to 5 is.
    const std::string truncated = whole.substr(0, whole.find("<path>", whole.find("sequencenr=\"2\""))) +
                                  "  <hashlist sequencenr=\"5\">";
    writeFile(chain, truncated);

    const auto manifest = writeOnce(root, finish + std::chrono::minutes(1));
    EXPECT_EQ(manifest.filename(), "0006_A001_2025-03-14_092753Z.mhl");
    const auto entries = chainEntries(chain);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].number, 6);
    EXPECT_EQ(entries[0].c4, C4::identifier(readFile(manifest)));
    EXPECT_EQ(readFile(root / "ascmhl" / "ascmhl_chain.damaged-2025-03-14_092753Z"), truncated);
}

TEST(ASCMHLWriter, ChainCopiedFromTheCardIsContinued) {
    TempDir dir;
    const fs::path root = dir / "A001";
    // The card carried an earlier offload's manifest folder, copied like any other file.
    writeFile(root / "ascmhl" / "0001_A001_2024-12-01_080000Z.mhl", "<hashlist/>\n");
    writeFile(root / "ascmhl" / "ascmhl_chain.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ascmhldirectory xmlns=\"urn:ASC:MHL:DIRECTORY:v2.0\">\n"
              "  <hashlist sequencenr=\"1\">\n    <path>0001_A001_2024-12-01_080000Z.mhl</path>\n"
              "    <c4>c4abc</c4>\n  </hashlist>\n</ascmhldirectory>\n");
    const std::vector<ScannedFile> files{scannedFile("ascmhl/0001_A001_2024-12-01_080000Z.mhl", 12),
                                         scannedFile("ascmhl/ascmhl_chain.xml", 300), scannedFile("C001.mov", 10),
                                         scannedFile("sub/ascmhl/x.mhl", 1)};
    const auto manifest = ASCMHLWriter::write(root, files, Hashes{"1", "2", "3", "4"}, ChecksumAlgorithm::xxhash64,
                                              finish, "1.0.1");
    EXPECT_EQ(manifest.filename(), "0002_A001_2025-03-14_092653Z.mhl");
    EXPECT_EQ(readFile(root / "ascmhl" / "0001_A001_2024-12-01_080000Z.mhl"), "<hashlist/>\n");
    const std::string text = readFile(manifest);
    EXPECT_NE(text.find(">C001.mov</path>"), std::string::npos);
    EXPECT_EQ(text.find("ascmhl/0001"), std::string::npos);
    EXPECT_EQ(text.find("ascmhl_chain.xml"), std::string::npos);
    EXPECT_EQ(text.find("sub/ascmhl/"), std::string::npos);
    const auto entries = chainEntries(root / "ascmhl" / "ascmhl_chain.xml");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].c4, "c4abc");
    EXPECT_EQ(entries[1].number, 2);
}

TEST(ASCMHLWriter, HostileNamesGiveWellFormedManifests) {
    TempDir dir;
    const fs::path root = dir / "A001";
    const std::string hostile = "Cl\xc3\xafp & <co> \"q\" 'a' \x01\xff\xfe &lt; .mov";
    const auto manifest = ASCMHLWriter::write(root, {scannedFile(hostile, 7)}, Hashes{"abc"}, ChecksumAlgorithm::xxhash64,
                                              finish, "1.0.1");
    pugi::xml_document document;
    const auto parsed = document.load_file(manifest.c_str());
    ASSERT_TRUE(parsed) << parsed.description();
    EXPECT_EQ(std::string(document.child("hashlist").child("hashes").child("hash").child_value("path")),
              "Cl\xc3\xafp & <co> \"q\" 'a' \xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd &lt; .mov");
}

TEST(ASCMHLWriter, NamesAndDatesAreUTCWhateverTheZone) {
    TempDir dir;
    const auto manifest = [&] {
        quillane::testing::TimeZoneScope zone("Pacific/Auckland");
        return writeOnce(dir / "A001");
    }();
    EXPECT_EQ(manifest.filename(), "0001_A001_2025-03-14_092653Z.mhl");
    EXPECT_NE(readFile(manifest).find("<creationdate>2025-03-14T09:26:53Z</creationdate>"), std::string::npos);

    // A roll folder passed with a trailing separator is named the same way.
    EXPECT_EQ(writeOnce(dir.path() / "B002" / "").filename(), "0001_B002_2025-03-14_092653Z.mhl");
}

TEST(ASCMHLWriter, FailuresAreThrownAndLeaveWhatWasWritten) {
    TempDir dir;
    // The manifest folder's name is taken by a file: nothing is written.
    const fs::path blocked = dir / "blocked";
    writeFile(blocked / "ascmhl", "a file, not a folder");
    EXPECT_THROW(writeOnce(blocked), FileError);

    const fs::path root = dir / "A001";
    writeOnce(root);
    const std::string chainBefore = readFile(root / "ascmhl" / "ascmhl_chain.xml");
    {
        FaultyFileIO faulty;
        faulty.fail({.call = FaultyFileIO::Call::fsync, .pathContains = ".mhl.tmp"});
        EXPECT_THROW(writeOnce(root, finish + std::chrono::hours(1)), FileError);
    }
    EXPECT_EQ(readFile(root / "ascmhl" / "ascmhl_chain.xml"), chainBefore);  // chain untouched
    EXPECT_EQ(manifestsIn(root / "ascmhl").size(), 1u);

    {
        FaultyFileIO faulty;
        faulty.fail({.call = FaultyFileIO::Call::rename, .pathContains = "ascmhl_chain.xml"});
        EXPECT_THROW(writeOnce(root, finish + std::chrono::hours(2)), FileError);
    }
    EXPECT_EQ(readFile(root / "ascmhl" / "ascmhl_chain.xml"), chainBefore);
    EXPECT_EQ(manifestsIn(root / "ascmhl").size(), 2u);  // the manifest stays
    // The next transfer still gets a number of its own.
    EXPECT_EQ(writeOnce(root, finish + std::chrono::hours(3)).filename(), "0003_A001_2025-03-14_122653Z.mhl");
}
