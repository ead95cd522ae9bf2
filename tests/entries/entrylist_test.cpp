#include "entries/EntryList.h"
#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

const std::string kHeader = test::kEntryListHeader;

struct Rally : test::TestRally {
    Rally() : TestRally("Spring Run", "Spring") {}
};

std::string entries(int count) {
    std::string s = kHeader;
    for (int i = 1; i <= count; ++i)
        s += std::to_string(i) + ",\"Crew " + std::to_string(i) +
             "\",1936,\"Riley\",\"Kestrel\",\"B\",\"A\",0,0,0,0,0\r\n";
    return s;
}

TEST(EntryList, LoadsCountsAndReplacesAShorterList) {
    Rally r;
    writeText(r.entryList(), entries(57));
    ASSERT_TRUE(loadEntryList(r.state));
    EXPECT_EQ(r.state.entries.count(), 57);
    EXPECT_EQ(r.state.entries.currentEntry, 57);
    EXPECT_EQ(r.state.entries.entries[56].name, "Crew 57");
    writeText(r.entryList(), entries(3));
    ASSERT_TRUE(loadEntryList(r.state));
    EXPECT_EQ(r.state.entries.count(), 3);
}

// The list loaded before is not used on: it may be another rally's, or a version the organiser
// has since replaced.
TEST(EntryList, MissingFileLeavesNoEntriesInUse) {
    Rally r;
    writeText(r.entryList(), entries(4));
    ASSERT_TRUE(loadEntryList(r.state));
    fs::remove(r.entryList());
    EXPECT_EQ(loadEntryList(r.state).message(), "No data to load");
    EXPECT_EQ(r.state.entries.count(), 0);
    EXPECT_EQ(r.state.entries.currentEntry, 0);
}

TEST(EntryList, BadFilesNameTheLineAndLeaveNoEntriesInUse) {
    struct Case {
        const char* name;
        std::string content;
        const char* message; // what follows "EntryList.csv line "
    };
    const std::string good = "1,\"A\",\"1936\",\"Riley\",\"K\",\"B\",\"A\",0,0,0,0,0\r\n";
    const Case cases[] = {
        {"short record", kHeader + good + "2,\"B\",1936\r\n", "3: expected 12 values, found 3"},
        {"text comp no", kHeader + good + "x2,\"B\",1,\"V\",\"T\",\"B\",\"A\",0,0,0,0,0\r\n",
         "3: value 1 \"x2\" is not a number"},
        {"comp no too large", kHeader + "70000,\"B\",1,\"V\",\"T\",\"B\",\"A\",0,0,0,0,0\r\n",
         "2: value 1 \"70000\" is not a whole number from -32768 to 32767"},
        {"text day", kHeader + "3,\"B\",1,\"V\",\"T\",\"B\",\"A\",0,zero,0,0,0\r\n",
         "2: value 9 \"zero\" is not a number"},
        {"too many", entries(301), "302: more than 300 entries"},
        {"empty file", "", "1: the file is empty; the first line must hold the 12 column headers"},
        {"short header", "\"Comp No\",\"Name\"\r\n", "1: expected 12 values, found 2"},
        {"no header", good + good,
         "1: this is an entry (competition number 1), not the 12 column headers the list starts with"},
    };
    for (const auto& c : cases) {
        Rally r;
        writeText(r.entryList(), entries(2));
        ASSERT_TRUE(loadEntryList(r.state));
        writeText(r.entryList(), c.content);
        const Status st = loadEntryList(r.state);
        EXPECT_FALSE(st) << c.name;
        EXPECT_EQ(st.message(), r.entryList().string() + " line " + c.message) << c.name;
        EXPECT_EQ(r.state.entries.count(), 0) << c.name;
        EXPECT_EQ(readFile(r.entryList()), c.content) << c.name; // the organiser's file stays as it is
    }
    Rally ok;
    writeText(ok.entryList(), entries(300) + "\r\n\r\n");
    EXPECT_TRUE(loadEntryList(ok.state));
    EXPECT_EQ(ok.state.entries.count(), 300);
}

TEST(EntryList, WriteBackChangesOnlyTheDayColumnOfEveryLineWithTheNumber) {
    Rally r;
    writeText(
        r.entryList(),
        "\"No.\",\"Crew\",\"Yr\",\"Make\",\"Model\",\"Spd\",\"SG\",\"D1\",\"D2\",\"D3\",\"D4\",\"D5\"\r\n"
        "7,\"Smith\",1936,Riley,\"Kestrel\",\"B\",\"A\",1,1,0,0,0\n"
        "9,\"Jones\",\"1950\",\"MG\",\"TD\",\"A\",\"B\",1,1,0,0,0\n"
        "7,\"Smith again\",\"1936\",\"Riley\",\"Kestrel\",\"B\",\"A\",1,1,0,0,0\n");
    ASSERT_TRUE(writeBackDayResults(r.state, 2, {{7, 15.5}, {42, 3}}));
    EXPECT_EQ(
        readFile(r.entryList()),
        "\"No.\",\"Crew\",\"Yr\",\"Make\",\"Model\",\"Spd\",\"SG\",\"D1\",\"D2\",\"D3\",\"D4\",\"D5\"\r\n"
        "7,\"Smith\",\"1936\",\"Riley\",\"Kestrel\",\"B\",\"A\",1,15.5,0,0,0\r\n"
        "9,\"Jones\",\"1950\",\"MG\",\"TD\",\"A\",\"B\",1,1,0,0,0\r\n"
        "7,\"Smith again\",\"1936\",\"Riley\",\"Kestrel\",\"B\",\"A\",1,15.5,0,0,0\r\n");
    const std::string before = readFile(r.entryList());
    ASSERT_TRUE(writeBackDayResults(r.state, 6, {{7, 99}}));
    EXPECT_EQ(readFile(r.entryList()), before);
}

TEST(EntryList, ANameWithQuotesFromASpreadsheetProgramIsKeptWhole) {
    Rally r;
    writeText(
        r.entryList(),
        kHeader +
            "11,\"Tom \"\"Speedy\"\" Tate, Val Tate\",1954,\"Jaguar\",\"XK\",\"B\",\"A\",0,0,0,0,0\r\n");
    ASSERT_TRUE(loadEntryList(r.state));
    EXPECT_EQ(r.state.entries.entries.at(0).name, "Tom \"Speedy\" Tate, Val Tate");
    ASSERT_TRUE(writeBackDayResults(r.state, 1, {{11, 20}}));
    // Written back, the quotes become apostrophes: a quote would end the text early.
    EXPECT_EQ(readFile(r.entryList()),
              kHeader +
                  "11,\"Tom 'Speedy' Tate, Val Tate\",\"1954\",\"Jaguar\",\"XK\",\"B\",\"A\",20,0,0,0,0\r\n");
}

TEST(EntryList, TemplateIsWrittenOnceAndNeverOverwritten) {
    Rally r;
    const fs::path file = r.root / "Spring/EntryList/Template.csv";
    ASSERT_TRUE(writeTemplate(r.state));
    EXPECT_EQ(readFile(file), kHeader + "\"Complete the template for all competitors\"\r\n"
                                        "\"All cells must have data\"\r\n"
                                        "\"Enter 0 for non applicable days\"\r\n"
                                        "\"Refer to the Operating Manual for further details \"\r\n"
                                        "\"Rename the file EntryList.csv\"\r\n");
    writeText(file, "mine");
    ASSERT_TRUE(writeTemplate(r.state));
    EXPECT_EQ(readFile(file), "mine");
}

} // namespace
} // namespace trakmora
