#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

#include "Detection/ByteFormat.h"
#include "Support/Lang.h"
#include "Support/Dates.h"
#include "Support/FileIO.h"
#include "Transfer/ReportDates.h"
#include "Transfer/ReportStyle.h"
#include "Transfer/ReportWriter.h"
#include "support/Scopes.h"
#include "support/Samples.h"
#include "support/TempDir.h"

using namespace quillane;
using quillane::testing::readFile;
using quillane::testing::TempDir;
using quillane::testing::writeFile;
namespace fs = std::filesystem;

namespace {
using quillane::testing::scannedFile;
using Hashes = std::vector<std::optional<std::string>>;
const auto start = Dates::fromUTC({2025, 3, 14, 9, 0, 0});


DestinationResult destination(int id, std::string name, fs::path roll) {
    DestinationResult d;
    d.id = id;
    d.name = std::move(name);
    d.rollURL = std::move(roll);
    return d;
}

TransferResult result(double seconds, bool verified, std::vector<DestinationResult> destinations, int fileCount = 0,
                      std::int64_t totalBytes = 0) {
    TransferResult r;
    r.fileCount = fileCount;
    r.totalBytes = totalBytes;
    r.startedAt = start;
    r.finishedAt = start + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                               std::chrono::duration<double>(seconds));
    r.verified = verified;
    r.destinations = std::move(destinations);
    return r;
}

// The page made XML: the doctype dropped, bare class values quoted, void elements closed.
// A name that escaped its escaping breaks this parse or changes the text read back.
struct Page {
    pugi::xml_document document;
    bool parsed = false;
    std::string description;

    explicit Page(const std::string& html) {
        std::string xml = html.substr(html.find('\n') + 1);
        xml = std::regex_replace(xml, std::regex(" class=([a-z]+)([ >])"), " class=\"$1\"$2");
        xml = std::regex_replace(xml, std::regex("<(meta|img)([^>]*)>"), "<$1$2/>");
        const auto result = document.load_string(xml.c_str());
        parsed = static_cast<bool>(result);
        description = result.description();
    }
    pugi::xpath_node_set all(const char* query) const { return document.select_nodes(query); }
    std::string text(const char* query) const {
        const auto node = document.select_node(query);
        return node ? std::string(node.node().text().get()) : std::string("<none>");
    }
    std::string content(const char* query) const {  // all text below a node, tags dropped
        const auto node = document.select_node(query);
        if (!node) return "<none>";
        std::string out;
        for (auto n : node.node().select_nodes(".//text()")) out += n.node().value();
        return out;
    }
    std::map<std::string, std::string> facts() const {
        std::map<std::string, std::string> map;
        for (auto f : all("//div[@class='fact']"))
            map[f.node().child_value("span")] = f.node().child_value("b");
        return map;
    }
};

class ReportWriterTest : public ::testing::Test {
protected:
    quillane::testing::TimeZoneScope zone_{"Europe/Amsterdam"};
    quillane::testing::LanguageScope language_;
    ReportWriter::Info info{"Night & Day", "A001", std::nullopt, "CARD_1", std::nullopt};

};
}  // namespace

TEST_F(ReportWriterTest, EnglishPageOfAPartlyFailedTransfer) {
    Lang::current = AppLanguage::en;
    const std::vector<ScannedFile> files{scannedFile("CLIPS/A001C001.mov", 1'500'000), scannedFile("CLIPS/A001C002.mov", 2'000),
                                         scannedFile("CLIPS/notes.txt", 10)};
    const Hashes hashes{"0123456789abcdef", std::nullopt, "1111111111111111"};
    auto failed = destination(0, "SSD <A>", "/media/ssd a/Night/A001");
    failed.failedFiles = {"CLIPS/A001C001.mov", "CLIPS/A001C002.mov", "CLIPS/notes.txt"};
    auto broken = destination(2, "SSD C", "/media/c/A001");
    broken.error = "Disk full & \"gone\"";
    const auto r = result(61.9, true, {failed, destination(1, "SSD B", "/media/b/A001"), broken}, 3, 1'502'010);

    ClipInfo withThumbnail;
    withThumbnail.duration = 3661.9;
    withThumbnail.thumbnailJPEG = std::string("\xff\xd8\xff\xe0", 4);
    ClipInfo bare;
    bare.duration = 10;
    bare.codec = "H.264 <High>";
    const ReportWriter::Clips clips{{"CLIPS/A001C001.mov", withThumbnail}, {"CLIPS/A001C002.mov", bare}};

    const std::string html = ReportWriter::render(info, files, hashes, r, 1, clips);
    Page page(html);
    ASSERT_TRUE(page.parsed) << page.description;

    // The head and the facts of the roll stand as PageLayoutIsExact pins them; this page's own:
    EXPECT_EQ(page.text("//div[@class='verdict']"), "Not fully successful");
    EXPECT_NE(html.find(".verdict{font-size:17px;font-weight:600;color:var(--bad)"), std::string::npos);

    const auto facts = page.facts();
    ASSERT_EQ(facts.size(), 10u);
    EXPECT_EQ(facts.at("Duration"), "10:00:00 \u2013 10:01:01 (1 min 1 sec)");
    EXPECT_EQ(facts.at("Size"), "3 files \u00B7 " + ByteFormat::string(1'502'010));
    EXPECT_EQ(facts.at("Speed"), ByteFormat::rate(1'502'010 / 61.9));
    EXPECT_EQ(facts.at("Runtime"), "1:01:11");  // 3671.9 s, fraction dropped

    EXPECT_EQ(page.text("//h2[1]"), "Clips (2)");
    ASSERT_EQ(page.all("//figure").size(), 2u);
    EXPECT_STREQ(page.document.select_node("//figure[1]/img").node().attribute("src").value(),
                 "data:image/jpeg;base64,/9j/4A==");
    EXPECT_EQ(page.text("//figure[1]/figcaption/b"), "A001C001.mov");
    EXPECT_EQ(page.text("//figure[1]/figcaption/span"), "1:01:02");
    EXPECT_EQ(page.all("//figure[2]/div[@class='noimg']").size(), 1u);
    EXPECT_EQ(page.text("//figure[2]/figcaption/span"), "0:00:10 \u00B7 H.264 <High>");

    // Destinations: only the receiving one is marked, and each tells its own state.
    ASSERT_EQ(page.all("//table[1]/tr").size(), 3u);
    EXPECT_EQ(page.all("//tr[@class='me']").size(), 1u);
    EXPECT_EQ(page.all("//span[@class='tag']").size(), 1u);
    EXPECT_EQ(page.content("//tr[@class='me']/td[1]"), "SSD B this drive");
    EXPECT_EQ(page.text("//table[1]/tr[1]/td[1]"), "SSD <A>");
    EXPECT_EQ(page.text("//table[1]/tr[1]/td[2]"), "/media/ssd a/Night/A001");
    EXPECT_EQ(page.text("//table[1]/tr[1]/td[@class='bad']"), "\u2717 3 files don't match");
    EXPECT_EQ(page.text("//table[1]/tr[2]/td[@class='good']"), "\u2713 Verified");
    EXPECT_EQ(page.text("//table[1]/tr[3]/td[@class='bad']"), "\u2717 Disk full & \"gone\"");

    EXPECT_EQ(page.text("//h2[3]"), "Files (3)");
    ASSERT_EQ(page.all("//table[2]/tr").size(), 3u);
    EXPECT_EQ(page.text("//table[2]/tr[1]/td[2]"), ByteFormat::string(1'500'000));
    EXPECT_EQ(page.text("//table[2]/tr[2]/td[3]"), "\u2014");  // no checksum
    EXPECT_EQ(page.text("//p[@class='note']").substr(0, 56), "The checksums above are also stored in the .mhl file in ");
    EXPECT_EQ(html.substr(html.size() - 22), "\n</main></body></html>");
}

TEST_F(ReportWriterTest, DutchPageOfAVerifiedTransfer) {
    Lang::current = AppLanguage::nl;
    info.shootDay = 7;
    info.cameraLabel = "ARRI Alexa";
    const auto r = result(0.4, true, {destination(0, "SSD A", "/media/a/A001")}, 1, 100);
    const std::string html = ReportWriter::render(info, {scannedFile("a.mov", 100)}, Hashes{"ab"}, r, 0, {});
    Page page(html);
    ASSERT_TRUE(page.parsed) << page.description;
    EXPECT_STREQ(page.document.child("html").attribute("lang").value(), "nl");
    EXPECT_EQ(page.text("//title"), "A001 \u00B7 transferrapport");
    EXPECT_EQ(page.text("//div[@class='verdict']"), "Veilig overgezet en geverifieerd");
    EXPECT_NE(html.find("color:var(--good)"), std::string::npos);
    EXPECT_EQ(page.all("//figure").size(), 0u);
    EXPECT_EQ(html.find("Clips ("), std::string::npos);

    const auto facts = page.facts();
    EXPECT_EQ(facts.at("Draaidag"), "07");
    EXPECT_EQ(facts.at("Kaart"), "CARD_1 \u00B7 ARRI Alexa");
    EXPECT_NE(facts.at("Datum").find("14 maart 2025"), std::string::npos);
    EXPECT_EQ(facts.at("Duur"), "10:00:00 \u2013 10:00:00 (1 sec)");
    EXPECT_EQ(facts.at("Omvang"), "1 bestand \u00B7 " + ByteFormat::string(100));
    EXPECT_EQ(facts.at("Speelduur"), "\u2014");
    EXPECT_EQ(facts.at("Checksum"), "xxHash64, elke kopie teruggelezen en vergeleken");
    EXPECT_EQ(page.content("//tr[@class='me']/td[1]"), "SSD A deze schijf");
    EXPECT_EQ(page.text("//td[@class='good']"), "\u2713 Geverifieerd");
    EXPECT_EQ(page.text("//h2[1]"), "Bestemmingen");
    EXPECT_EQ(page.text("//h2[2]"), "Bestanden (1)");
    EXPECT_EQ(page.text("//p[@class='note']").substr(0, 41), "De checksums hierboven staan ook in het .");
}

TEST_F(ReportWriterTest, UnverifiedAndStoppedTransfers) {
    Lang::current = AppLanguage::en;
    auto r = result(5, false, {destination(0, "SSD A", "/a")});
    r.algorithm = ChecksumAlgorithm::md5;
    Page copied(ReportWriter::render(info, {}, {}, r, 0, {}));
    ASSERT_TRUE(copied.parsed);
    EXPECT_EQ(copied.text("//div[@class='verdict']"), "Copied (without verification)");
    EXPECT_EQ(copied.text("//td[@class='good']"), "\u2713 Copied");
    EXPECT_EQ(copied.facts().at("Checksum"), "MD5");
    EXPECT_EQ(copied.facts().at("Speed"), "\u2014");  // nothing was copied

    r.cancelled = true;
    Page stopped(ReportWriter::render(info, {}, {}, r, 0, {}));
    EXPECT_EQ(stopped.text("//div[@class='verdict']"), "Transfer stopped");

    r.cancelled = false;
    r.destinations.clear();  // nothing to succeed on
    Page none(ReportWriter::render(info, {}, {}, r, 0, {}));
    EXPECT_EQ(none.text("//div[@class='verdict']"), "Not fully successful");
}

TEST_F(ReportWriterTest, PageLayoutIsExact) {
    Lang::current = AppLanguage::en;
    const auto r = result(125, true, {destination(0, "SSD A", "/a/A001")}, 1, 5);
    const std::string html = ReportWriter::render(info, {scannedFile("x.mov", 5)}, Hashes{"ff"}, r, 0, {});
    const std::string expected =
        "<!doctype html>\n"
        "<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>A001 \u00B7 offload report</title>\n"
        "<style>\n" + ReportStyle::sheet("--good") + "</style></head><body><main>\n"
        "<div class=brand>Quillane \u00B7 offload report</div>\n"
        "<h1>Night &amp; Day \u2014 A001</h1>\n"
        "<div class=verdict>Safely transferred and verified</div>\n"
        "<div class=facts>"
        "<div class=fact><span>Project</span><b>Night &amp; Day</b></div>"
        "<div class=fact><span>Roll</span><b>A001</b></div>"
        "<div class=fact><span>Shoot day</span><b>\u2014</b></div>"
        "<div class=fact><span>Card</span><b>CARD_1</b></div>"
        "<div class=fact><span>Date</span><b>" + ReportDates::longDateShortTime(start, AppLanguage::en) + "</b></div>"
        "<div class=fact><span>Duration</span><b>10:00:00 \u2013 10:02:05 (2 min 5 sec)</b></div>"
        "<div class=fact><span>Size</span><b>1 file \u00B7 " + ByteFormat::string(5) + "</b></div>"
        "<div class=fact><span>Speed</span><b>" + ByteFormat::rate(5.0 / 125) + "</b></div>"
        "<div class=fact><span>Runtime</span><b>\u2014</b></div>"
        "<div class=fact><span>Checksum</span><b>xxHash64, every copy read back and compared</b></div>"
        "</div>\n"
        "<h2>Destinations</h2>\n"
        "<table><tr class=me><td>SSD A <span class=tag>this drive</span></td><td class=mono>/a/A001</td>"
        "<td class=good>\u2713 Verified</td></tr>\n</table>\n"
        "<h2>Files (1)</h2>\n"
        "<table><tr><td>x.mov</td><td class=num>" + ByteFormat::string(5) + "</td><td class=mono>ff</td></tr>\n</table>\n"
        "<p class=note>The checksums above are also stored in the .mhl file in this folder. Software such as "
        "Silverstack, OffShoot or DaVinci Resolve can use it later to check that every clip is still identical to "
        "the original card.</p>\n"
        "</main></body></html>";
    EXPECT_EQ(html, expected);
    // The sheet follows the reader's dark setting and keeps figures whole in print.
    const std::string sheet = ReportStyle::sheet("--good");
    EXPECT_NE(sheet.find("@media (prefers-color-scheme: dark){:root{--bg:#111214;"), std::string::npos);
    EXPECT_NE(sheet.find("@media print{figure{break-inside:avoid}}"), std::string::npos);
}

TEST_F(ReportWriterTest, HostileNamesStayText) {
    Lang::current = AppLanguage::en;
    const std::string hostile = "R&D <script>alert(\"x\")</script> &lt; 'q' \xff\x01 \xc3\xa9";
    const std::string repaired = "R&D <script>alert(\"x\")</script> &lt; 'q' \xef\xbf\xbd\xef\xbf\xbd \xc3\xa9";
    ReportWriter::Info hostileInfo{hostile, hostile, 1, hostile, hostile};
    auto d = destination(0, hostile, "/media/" + hostile);
    d.error = hostile;
    auto r = result(3, true, {d});
    ClipInfo clip;
    clip.codec = hostile;
    const std::string html =
        ReportWriter::render(hostileInfo, {scannedFile(hostile, 1)}, Hashes{"a"}, r, 0, {{hostile, clip}});
    Page page(html);
    ASSERT_TRUE(page.parsed) << page.description;
    EXPECT_EQ(page.all("//script").size(), 0u);
    EXPECT_EQ(page.text("//title"), repaired + " \u00B7 offload report");
    EXPECT_EQ(page.text("//h1"), repaired + " \u2014 " + repaired);
    EXPECT_EQ(page.facts().at("Card"), repaired + " \u00B7 " + repaired);
    EXPECT_EQ(page.text("//table[1]/tr/td[1]"), repaired + " ");
    EXPECT_EQ(page.text("//table[1]/tr/td[2]"), "/media/" + repaired);
    EXPECT_EQ(page.text("//table[1]/tr/td[3]"), "\u2717 " + repaired);
    EXPECT_EQ(page.text("//table[2]/tr/td[1]"), repaired);
    EXPECT_EQ(page.text("//figcaption/span"), repaired);
}

TEST_F(ReportWriterTest, WriteReplacesItsOwnReportButNeverACopiedFile) {
    TempDir dir;
    Lang::current = AppLanguage::en;
    const auto r = result(3, true, {destination(0, "SSD A", dir.path())});
    const auto first = ReportWriter::write(dir.path(), info, {}, {}, r, 0, {});
    EXPECT_EQ(first, dir / "A001_report.html");

    // A run that fell short (the card re-used, a clip of the same size with other bytes) keeps
    // the earlier report and takes the next free name; the failed file shows no checksum.
    auto bad = r;
    bad.destinations[0].failedFiles = {"CLIP.mov"};
    const auto second =
        ReportWriter::write(dir.path(), info, {scannedFile("CLIP.mov", 5)}, Hashes{"feedfacefeedface"}, bad, 0, {});
    EXPECT_EQ(second, dir / "A001-2_report.html");
    EXPECT_NE(readFile(first).find("Safely transferred"), std::string::npos);
    EXPECT_EQ(readFile(second).find("feedfacefeedface"), std::string::npos);
    EXPECT_EQ(ReportWriter::rewrite(second, info, {}, {}, bad, 0, {}), second);  // enriched in place
    fs::remove(second);

    Lang::current = AppLanguage::nl;  // a rewrite takes the language of the moment
    EXPECT_EQ(ReportWriter::write(dir.path(), info, {}, {}, r, 0, {}), first);
    EXPECT_NE(readFile(first).find("<html lang=\"nl\">"), std::string::npos);

    // The card brought an earlier offload's report along; it stays as copied.
    writeFile(dir / "A001_report.html", "copied from the card");
    writeFile(dir / "A001-2_REPORT.HTML", "also copied");
    const std::vector<ScannedFile> files{scannedFile("A001_report.html", 20), scannedFile("A001-2_REPORT.HTML", 11),
                                         scannedFile("sub/A001-3_report.html", 1)};
    EXPECT_EQ(ReportWriter::fileName(info, files), "A001-3_report.html");
    const auto written = ReportWriter::write(dir.path(), info, files, Hashes{"a", "b", "c"}, r, 0, {});
    EXPECT_EQ(written, dir / "A001-3_report.html");
    EXPECT_EQ(readFile(dir / "A001_report.html"), "copied from the card");
    EXPECT_EQ(readFile(dir / "A001-2_REPORT.HTML"), "also copied");

    // A roll name with a separator names a file in this folder; the page shows it as written.
    ReportWriter::Info slashed = info;
    slashed.roll = "A/001";
    const auto slashedPath = ReportWriter::write(dir.path(), slashed, {}, {}, r, 0, {});
    EXPECT_EQ(slashedPath, dir / "A-001_report.html");
    EXPECT_NE(readFile(slashedPath).find("<title>A/001 \u00B7 transferrapport</title>"), std::string::npos);

    EXPECT_THROW(ReportWriter::write(dir / "missing", info, {}, {}, r, 0, {}), FileError);
}
