#include "reports/WorkbookDump.h"
#include "support/TempDir.h"
#include "xlsx/CellRange.h"
#include "xlsx/Workbook.h"
#include "xlsx/WrappedRows.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

using test::dumpWorkbook;
using test::storedColumnWidth;
using test::TempDir;

TEST(CellAddressTest, ParsesTheAddressesTheReportsUse) {
    struct Case {
        const char* address;
        bool ok;
        CellBlock block;
    };
    const Case cases[] = {
        {"A1", true, {0, 0, 0, 0}},
        {"h1:h1", true, {0, 7, 0, 7}},
        {"A1:AX1", true, {0, 0, 0, 49}},
        {"D11:B2", true, {1, 1, 10, 3}},
        {"XFD1048576", true, {1048575, 16383, 1048575, 16383}},
        {"XFE1", false, {}},
        {"A0", false, {}},
        {"A1048577", false, {}},
        {"1A", false, {}},
        {"A1:", false, {}},
        {"", false, {}},
        {"A 1", false, {}},
    };
    for (const auto& c : cases) {
        const auto block = parseCellBlock(c.address);
        EXPECT_EQ(block.has_value(), c.ok) << c.address;
        if (block && c.ok) {
            EXPECT_EQ(*block, c.block) << c.address;
        }
    }
    EXPECT_EQ(parseColumnSpan("F:H"), (ColumnSpan{5, 7}));
    EXPECT_EQ(parseColumnSpan("E:AX"), (ColumnSpan{4, 49}));
    EXPECT_FALSE(parseColumnSpan("A1:B1"));
    EXPECT_EQ(columnLetters(49), "AX");
    EXPECT_EQ(columnLetters(16383), "XFD");
    EXPECT_EQ(cellName(10, 1), "B11");
}

TEST(CellValueTest, TextBecomesANumberOnlyWhenItIsAPlainDecimal) {
    struct Case {
        const char* text;
        CellValue expected;
    };
    const Case cases[] = {
        {"15.5", 15.5},
        {"-12", -12.0},
        {"007", 7.0},
        {"0", 0.0},
        {"NF", std::string("NF")},
        {"12 km", std::string("12 km")},
        {"1e5", std::string("1e5")},
        {"-", std::string("-")},
        {"1.2.3", std::string("1.2.3")},
        {"", CellValue()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typedValue(c.text), c.expected) << c.text;
}

TEST(WorkbookTest, RangesMergeFormatsPerCellAndValuesFillBlocks) {
    Workbook book;
    Worksheet& sheet = book.worksheet(1);
    sheet.range("A1:C2").setBold(true).setFontSize(16);
    sheet.range("B1").resize(2, 2).setBold(false).setHorizontalAlignment(HorizontalAlignment::Center);
    sheet.range("A1:D1").setValues(std::vector<CellValue>{textValue("x"), 2.0});
    sheet.range("A3").resize(2, 3).setValues({{1.0, 2.0}, {textValue("y")}});

    const auto& cells = sheet.cells();
    const CellFormat a1 = cells.at({0, 0}).format;
    const CellFormat b2 = cells.at({1, 1}).format;
    EXPECT_TRUE(a1.effectiveBold());
    EXPECT_EQ(a1.effectiveFontSize(), 16);
    EXPECT_FALSE(a1.horizontal);
    EXPECT_FALSE(b2.effectiveBold());
    EXPECT_EQ(b2.effectiveFontSize(), 16);
    EXPECT_EQ(b2.horizontal, HorizontalAlignment::Center);
    EXPECT_EQ(sheet.value("B1"), CellValue(2.0));
    EXPECT_EQ(sheet.value("C1"), CellValue()); // beyond the one-dimensional array
    EXPECT_EQ(sheet.value("B3"), CellValue(2.0));
    EXPECT_EQ(sheet.value("A4"), CellValue(std::string("y")));
    EXPECT_EQ(sheet.value("C4"), CellValue());
    EXPECT_FALSE(cells.count({4, 0})); // the block does not spill past its range
}

TEST(WorkbookTest, SavedFileShowsEveryPropertyAReaderSees) {
    TempDir dir;
    Workbook book;
    book.setCreated(1700000000); // 2023-11-14 22:13:20 UTC
    Worksheet& first = book.worksheet(1);
    first.setName("Master");
    first.setColumnWidth("A:A", 10);
    first.setColumnWidth("C:C", 0);
    first.setColumnWidth("E:F", 5);
    first.setColumnsHidden("F:F", true);
    first.range("A1:D1").setFontName("Calibri").setBold(true).setFontSize(16).setHorizontalAlignment(
        HorizontalAlignment::Center);
    first.range("A1:D1").setValues(std::vector<CellValue>{textValue("Dist"), textValue("Speed"), 60.0});
    first.range("A2").resize(2, 1).setNumberFormat("hh:mm:ss").setVerticalAlignment(VerticalAlignment::Top);
    first.range("A2").setValue(0.34375);
    first.range("B2").setWrapText(true).setHorizontalAlignment(HorizontalAlignment::Left);
    PageSetup& page = first.pageSetup();
    page.orientation = PageOrientation::Landscape;
    page.leftHeader = "Day 2";
    page.centerHeader = headerText("R&G & Sons Run");
    page.rightHeader = "Master";
    page.centerFooter = "Page &P";
    page.printGridlines = true;
    page.paperSize = kPaperA4;
    page.zoom = false;
    page.fitToPagesWide = 1;
    page.fitToPagesTall = 20;
    page.centerHorizontally = true;
    page.repeatRows = LineSpan{0, 1};
    page.repeatColumns = LineSpan{0, 3};
    page.firstPageNumber = 1;
    book.addWorksheet();
    book.addWorksheet().setName("B Speed Group");

    const auto file = dir / "book.xlsx";
    ASSERT_TRUE(book.save(file).ok());
    const auto d = dumpWorkbook(file);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Master|Sheet2|B Speed Group");
    EXPECT_EQ(d["created"], "2023-11-14T22:13:20");
    EXPECT_EQ(d["Master!A1"], "s:Dist");
    EXPECT_EQ(d["Master!C1"], "n:60.0");
    EXPECT_FALSE(d.has("Master!D1"));
    EXPECT_EQ(d["Master!A1.font"], "Calibri,1,16.0");
    EXPECT_EQ(d["Master!D1.align"], "center,bottom,0");
    EXPECT_EQ(d["Master!A2"], "n:0.34375");
    EXPECT_EQ(d["Master!A2.format"], "hh:mm:ss");
    EXPECT_EQ(d["Master!A3.align"], "general,top,0");
    EXPECT_EQ(d["Master!B2.align"], "left,bottom,1");
    EXPECT_EQ(d["Master!A2.font"], "Calibri,0,11.0");
    EXPECT_EQ(std::stod(d["Master!col.A"]), storedColumnWidth(10));
    EXPECT_EQ(std::stod(d["Master!col.E"]), storedColumnWidth(5));
    EXPECT_EQ(d["Master!col.C.hidden"], "1");
    EXPECT_EQ(d["Master!col.F.hidden"], "1");
    EXPECT_FALSE(d.has("Master!col.E.hidden"));
    EXPECT_FALSE(d.has("Master!col.A.hidden"));
    EXPECT_EQ(d["Master!page.orientation"], "landscape");
    EXPECT_EQ(d["Master!page.paper"], "9");
    EXPECT_EQ(d["Master!page.fitToPage"], "1");
    EXPECT_EQ(d["Master!page.fitWide"], "1");
    EXPECT_EQ(d["Master!page.fitTall"], "20");
    EXPECT_EQ(d["Master!page.gridlines"], "1");
    EXPECT_EQ(d["Master!page.centerH"], "1");
    EXPECT_EQ(d["Master!page.titleRows"], "1:2");
    EXPECT_EQ(d["Master!page.titleCols"], "A:D");
    EXPECT_EQ(d["Master!page.firstPage"], "1");
    EXPECT_EQ(d["Master!header.L"], "Day 2");
    // A literal "&" before "G" would read as a picture code: a zero-width space parts them.
    EXPECT_EQ(d["Master!header.C"], "R&&\u200bG && Sons Run");
    EXPECT_EQ(d["Master!header.R"], "Master");
    EXPECT_EQ(d["Master!footer.C"], "Page &P");
    // An untouched sheet keeps the defaults: no gridlines printed, no fitting, no header.
    EXPECT_EQ(d["Sheet2!page.gridlines"], "0");
    EXPECT_EQ(d["Sheet2!page.fitToPage"], "0");
    EXPECT_FALSE(d.has("Sheet2!header.C"));
    EXPECT_FALSE(d.has("Sheet2!page.titleRows"));
    EXPECT_FALSE(d.has("Sheet2!page.firstPage"));
}

TEST(PageSetupTest, TextIsShortenedWholeCharactersAtATimeWithAnEllipsis) {
    const struct {
        const char* text;
        int characters;
        const char* shortened;
    } cases[] = {
        {"Spring Run", 10, "Spring Run"},
        {"Spring Run", 9, "Spring R\u2026"},
        {"Spring Run", 8, "Spring\u2026"}, // no space before the ellipsis
        {"Caf\u00e9 \u00e9t\u00e9", 5, "Caf\u00e9\u2026"},
        {"Spring Run", 1, "\u2026"},
        {"Spring Run", 0, ""},
    };
    for (const auto& c : cases) {
        const std::string out = shortenedText(c.text, c.characters);
        EXPECT_EQ(out, c.shortened) << c.text << " to " << c.characters;
        EXPECT_LE(characterCount(out), c.characters) << c.text;
    }
    // A landscape page holds a longer header line than a portrait one, A4 a little more than
    // Letter when turned.
    PageSetup portrait;
    portrait.paperSize = kPaperA4;
    PageSetup landscape = portrait;
    landscape.orientation = PageOrientation::Landscape;
    PageSetup letterLandscape = landscape;
    letterLandscape.paperSize.reset();
    EXPECT_GT(headerLineCharacters(landscape), headerLineCharacters(letterLandscape));
    EXPECT_GT(headerLineCharacters(letterLandscape), headerLineCharacters(portrait) * 5 / 4);
    EXPECT_GT(headerLineCharacters(portrait), 60);
}

TEST(WorkbookTest, TextSavedByAWindowsSpreadsheetProgramReachesTheWorkbookAsUtf8) {
    TempDir dir;
    Workbook book;
    Worksheet& sheet = book.worksheet(1);
    sheet.setName("Gruppe \xC4");
    sheet.range("A1").setValue(textValue("Ren\xE9"
                                         "e M\xFCller"));
    sheet.range("A2").setValue(textValue("Zo\xC3\xAB")); // already UTF-8
    sheet.pageSetup().centerHeader = "Rallye d'\xE9t\xE9";
    const auto file = dir / "book.xlsx";
    ASSERT_TRUE(book.save(file).ok());
    const auto d = dumpWorkbook(file);
    ASSERT_EQ(d.error, "") << "a reader refuses the workbook";
    EXPECT_EQ(d["sheets"], "Gruppe \xC3\x84");
    EXPECT_EQ(d["Gruppe \xC3\x84!A1"], "s:Ren\xC3\xA9"
                                       "e M\xC3\xBCller");
    EXPECT_EQ(d["Gruppe \xC3\x84!A2"], "s:Zo\xC3\xAB");
    EXPECT_EQ(d["Gruppe \xC3\x84!header.C"], "Rallye d'\xC3\xA9t\xC3\xA9");
}

TEST(WorkbookTest, SavingTheSameWorkbookTwiceGivesTheSameBytes) {
    TempDir dir;
    Workbook book;
    book.setCreated(1700000000);
    book.worksheet(1).range("A1").setValue(textValue("same"));
    ASSERT_TRUE(book.save(dir / "one.xlsx").ok());
    ASSERT_TRUE(book.save(dir / "two.xlsx").ok());
    EXPECT_EQ(test::readFile(dir / "one.xlsx"), test::readFile(dir / "two.xlsx"));
}

TEST(WorkbookTest, FailuresNameTheFileAndLeaveAnOldFileWhole) {
    TempDir dir;
    Workbook good;
    good.worksheet(1).range("A1").setValue(textValue("old"));
    const auto file = dir / "kept.xlsx";
    ASSERT_TRUE(good.save(file).ok());
    const std::string before = test::readFile(file);

    Workbook badAddress;
    badAddress.worksheet(1).range("A0").setValue(1.0);
    Workbook badName;
    badName.worksheet(1).setName("a/b");
    Workbook duplicate;
    duplicate.worksheet(1).setName("Same");
    duplicate.addWorksheet().setName("Same");
    for (const Workbook* book : {&badAddress, &badName, &duplicate}) {
        const Status st = book->save(file);
        ASSERT_FALSE(st.ok());
        EXPECT_NE(st.message().find(file.string()), std::string::npos) << st.message();
        EXPECT_EQ(test::readFile(file), before);
    }
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));

    const auto missingFolder = dir / "no such folder" / "book.xlsx";
    const Status st = good.save(missingFolder);
    ASSERT_FALSE(st.ok());
    EXPECT_NE(st.message().find(missingFolder.string()), std::string::npos) << st.message();
}

TEST(WrappedRowsTest, WrappedTextGetsARowTallEnoughForItsLines) {
    EXPECT_EQ(wrappedLineCount("short", 60, 16, true), 1);
    EXPECT_EQ(wrappedLineCount("", 10, 11, false), 1);
    EXPECT_EQ(wrappedLineCount("one\ntwo", 60, 11, false), 2);
    // Sixty characters of 16-point bold text need more than one line in a column 30 wide.
    const std::string longText = "Turn left at the church and follow the river to the bridge";
    EXPECT_GE(wrappedLineCount(longText, 30, 16, true), 2);
    EXPECT_EQ(wrappedLineCount(longText, 200, 16, true), 1);

    Workbook book;
    Worksheet& sheet = book.worksheet(1);
    sheet.setColumnWidth("A:A", 30);
    sheet.range("A1:A7").setWrapText(true).setBold(true);
    sheet.range("A1:A3").setFontSize(16);
    sheet.range("A1").setValue(textValue(longText));
    sheet.range("A2").setValue(textValue("x"));
    sheet.range("B4").setValue(textValue(longText));         // no wrap: one line
    sheet.range("A5").setValue(textValue("fits"));           // wraps, but onto one line
    sheet.range("A6").setValue(numberValue(0.123456789123)); // numbers never wrap
    sheet.range("A7").setValue(textValue(longText));
    sheet.setRowHeight(1, 40);
    const auto heights = neededRowHeights(sheet);
    EXPECT_GE(heights.at(0), 2 * lineHeight(16));
    EXPECT_FALSE(heights.count(1)); // explicit height kept
    EXPECT_FALSE(heights.count(2)); // empty
    EXPECT_FALSE(heights.count(3));
    EXPECT_FALSE(heights.count(4));
    EXPECT_FALSE(heights.count(5));
    EXPECT_GE(heights.at(6), 2 * lineHeight(11));

    // A large font needs its height even on one line.
    sheet.range("C9").setFontSize(16).setValue(textValue("No"));
    EXPECT_EQ(neededRowHeights(sheet).at(8), lineHeight(16));
    EXPECT_EQ(lineHeight(11), 15);
}

TEST(WorkbookTest, LongHeadersAreShortenedToWhatTheFileHolds) {
    TempDir dir;
    Workbook book;
    PageSetup& page = book.worksheet(1).pageSetup();
    page.leftHeader = "Day 1";
    page.centerHeader = headerText(std::string(100, '&'));
    for (int i = 0; i < 100; ++i)
        page.centerHeader += "\u00e9"; // two bytes, one character
    page.rightHeader = "Master";
    ASSERT_TRUE(book.save(dir / "long.xlsx").ok());
    const auto d = dumpWorkbook(dir / "long.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["Sheet1!header.L"], "Day 1");
    EXPECT_EQ(d["Sheet1!header.R"], "Master");
    // 255 characters in all: "&LDay 1", "&C", "&RMaster" and 238 of the centre.
    const std::string centre = d["Sheet1!header.C"];
    EXPECT_EQ(centre.substr(0, 200), std::string(200, '&'));
    EXPECT_EQ(centre.size(), 200u + 2 * 38u);

    page.centerHeader = headerText(std::string(301, '&'));
    ASSERT_TRUE(book.save(dir / "long.xlsx").ok());
    const auto odd = dumpWorkbook(dir / "long.xlsx");
    EXPECT_EQ(odd["Sheet1!header.C"].size() % 2, 0u); // whole "&&" pairs only
}

} // namespace
} // namespace trakmora
