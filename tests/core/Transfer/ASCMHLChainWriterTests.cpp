#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cerrno>
#include <filesystem>

#include "Support/Dates.h"
#include "Support/FileIO.h"
#include "Transfer/ASCMHLChain.h"
#include "Transfer/ASCMHLWriter.h"
#include "support/FaultyFileIO.h"
#include "support/TempDir.h"

using namespace quillane;
using quillane::testing::FaultyFileIO;
using quillane::testing::TempDir;
using quillane::testing::writeFile;

namespace {
const std::string soundChain =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ascmhldirectory xmlns=\"urn:ASC:MHL:DIRECTORY:v2.0\">\n"
    "  <hashlist sequencenr=\"1\">\n"
    "    <path>0001_A001_2025-03-14_092653Z.mhl</path>\n"
    "    <c4>c4x</c4>\n"
    "  </hashlist>\n"
    "</ascmhldirectory>\n";
}  // namespace

TEST(ASCMHLChain, SequenceNumbersAreReadInOrderAndOddOnesSkipped) {
    EXPECT_TRUE(ASCMHLWriter::sequenceNumbers("").empty());
    EXPECT_EQ(ASCMHLWriter::sequenceNumbers(soundChain), (std::vector<long long>{1}));
    EXPECT_EQ(ASCMHLWriter::sequenceNumbers("sequencenr=\"5\" sequencenr=\"2\" sequencenr=\"5\""),
              (std::vector<long long>{5, 2, 5}));
    // Not digits, no closing quote, or too large for a number: skipped.
    EXPECT_EQ(ASCMHLWriter::sequenceNumbers("sequencenr=\"\" sequencenr=\"x1\" sequencenr=\"12 "
                                            "sequencenr=\"99999999999999999999999\" sequencenr=\"0007\""),
              (std::vector<long long>{7}));
    EXPECT_EQ(ASCMHLWriter::sequenceNumbers("sequencenr=\"3"), std::vector<long long>{});
}

TEST(ASCMHLChain, NextNumberComesFromTheChainAndTheManifestNames) {
    TempDir dir;
    const auto folder = dir / "ascmhl";
    EXPECT_EQ(ASCMHLWriter::nextSequenceNumber(folder, ""), 1);  // no folder yet
    std::filesystem::create_directories(folder);
    EXPECT_EQ(ASCMHLWriter::nextSequenceNumber(folder, "sequencenr=\"1\" sequencenr=\"2\" sequencenr=\"5\""), 6);

    // The chain was lost but the manifests stand: numbering goes on after them.
    writeFile(folder / "0003_A001_2025-03-14_092653Z.mhl", "x");
    writeFile(folder / "0011_A001_2025-03-15_092653Z.mhl", "x");
    writeFile(folder / "0099_notes.txt", "not a manifest");
    writeFile(folder / "2025-03-14.mhl", "no number of ours");
    writeFile(folder / "99999999999999999999999_A001.mhl", "too large");
    EXPECT_EQ(ASCMHLWriter::nextSequenceNumber(folder, ""), 12);
    EXPECT_EQ(ASCMHLWriter::nextSequenceNumber(folder, "sequencenr=\"40\""), 41);
    // A number that cannot be followed is ignored rather than wrapped around.
    EXPECT_EQ(ASCMHLWriter::nextSequenceNumber(folder, "sequencenr=\"9223372036854775807\""), 12);
}

TEST(ASCMHLChain, DamageIsToldApartFromAbsence) {
    TempDir dir;
    const auto chain = dir / "ascmhl_chain.xml";
    auto current = ASCMHLChain::read(chain);
    EXPECT_FALSE(current.exists);
    EXPECT_FALSE(current.damaged);

    writeFile(chain, soundChain);
    current = ASCMHLChain::read(chain);
    EXPECT_TRUE(current.exists);
    EXPECT_FALSE(current.damaged);

    writeFile(chain, soundChain.substr(0, soundChain.size() / 2));  // truncated
    EXPECT_TRUE(ASCMHLChain::read(chain).damaged);
    writeFile(chain, soundChain + "\xff\xfe");  // not UTF-8
    EXPECT_TRUE(ASCMHLChain::read(chain).damaged);
    std::filesystem::remove(chain);
    std::filesystem::create_directory(chain);  // not readable as a file
    EXPECT_TRUE(ASCMHLChain::read(chain).damaged);
}

TEST(ASCMHLChain, EntriesGoBeforeTheClosingTagOrIntoAFreshChain) {
    ASCMHLChain::Current sound{soundChain, true, false};
    const std::string appended = ASCMHLChain::withEntry(sound, 2, "0002_A&B_x.mhl", "c4y");
    EXPECT_EQ(appended, soundChain.substr(0, soundChain.find("</ascmhldirectory>")) +
                            "  <hashlist sequencenr=\"2\">\n"
                            "    <path>0002_A&amp;B_x.mhl</path>\n"
                            "    <c4>c4y</c4>\n"
                            "  </hashlist>\n"
                            "</ascmhldirectory>\n");
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(appended.c_str()));
    EXPECT_EQ(std::distance(document.child("ascmhldirectory").children("hashlist").begin(),
                            document.child("ascmhldirectory").children("hashlist").end()),
              2);

    ASCMHLChain::Current damaged{"<ascmhldirectory>\n  <hashlist sequencenr=\"4\">", true, true};
    EXPECT_EQ(ASCMHLChain::withEntry(damaged, 5, "0005_A001.mhl", "c4z"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<ascmhldirectory xmlns=\"urn:ASC:MHL:DIRECTORY:v2.0\">\n"
              "  <hashlist sequencenr=\"5\">\n"
              "    <path>0005_A001.mhl</path>\n"
              "    <c4>c4z</c4>\n"
              "  </hashlist>\n"
              "</ascmhldirectory>\n");
}

TEST(ASCMHLChain, DamagedChainIsSetAsideWithoutReplacingAnything) {
    TempDir dir;
    const auto chain = dir / "ascmhl_chain.xml";
    const auto when = Dates::fromUTC({2025, 3, 14, 9, 26, 53});
    writeFile(chain, "first damage");
    const auto first = ASCMHLChain::setAside(chain, when);
    EXPECT_EQ(first.filename(), "ascmhl_chain.damaged-2025-03-14_092653Z");
    EXPECT_FALSE(std::filesystem::exists(chain));

    // A file system without exclusive rename (some FUSE and network mounts), then one without
    // hard links either (exFAT).
    FaultyFileIO io;
    io.fail({.call = FaultyFileIO::Call::renameNoReplace, .error = EINVAL});
    writeFile(chain, "second damage");
    const auto second = ASCMHLChain::setAside(chain, when);
    EXPECT_EQ(second.filename(), "ascmhl_chain.damaged-2025-03-14_092653Z-2");
    EXPECT_EQ(quillane::testing::readFile(first), "first damage");
    EXPECT_EQ(quillane::testing::readFile(second), "second damage");
    EXPECT_FALSE(std::filesystem::exists(chain));

    io.fail({.call = FaultyFileIO::Call::link, .error = EPERM});
    writeFile(chain, "third damage");
    const auto third = ASCMHLChain::setAside(chain, when);
    EXPECT_EQ(third.filename(), "ascmhl_chain.damaged-2025-03-14_092653Z-3");
    EXPECT_EQ(quillane::testing::readFile(third), "third damage");
    EXPECT_EQ(quillane::testing::readFile(second), "second damage");

    EXPECT_THROW(ASCMHLChain::setAside(chain, when), FileError);  // nothing to move
}
