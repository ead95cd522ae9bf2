#pragma once
// A rally in a temporary data root for the group scoring tests, with functions to write the entry
// list and R files by hand and to compare files against golden copies. Header only: the test
// executable builds every *_test.cpp file and nothing else from these folders.
#include "common/Csv.h"
#include "common/Format.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "support/TempDir.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace trakmora::test {

struct EntryLine {
    int compNo;
    std::string name;
    std::string scoreGroup;
    std::vector<double> days = {0, 0, 0, 0, 0};
};

class ResultsRally {
public:
    explicit ResultsRally(int noOfDays = 2);
    TempDir root;
    RecordingMessages messages;
    ProgramState state{root.path(), messages};

    std::filesystem::path file(RallyFolder folder, const std::string& name) const {
        return state.rallyFile(folder, name);
    }
    void writeEntries(const std::vector<EntryLine>& lines) const;
    // Results/R<day><nnn>.csv with one score per line.
    void writeScores(int day, int compNo, const std::vector<double>& scores) const;
    // Marshals/cp<day>.csv with a header and `controls` lines.
    void writeControls(int day, int controls) const;
    // Copies tests/data/<testCase>/input/ over the rally folder.
    void copyInput(const std::string& testCase) const;
};

inline std::filesystem::path testData(const std::string& relative);
// Compares line by line and names the first differing line.
inline void expectSameText(const std::string& expected, const std::string& actual, const std::string& what);
inline void expectSameFile(const std::filesystem::path& expected, const std::filesystem::path& actual);

inline ResultsRally::ResultsRally(int noOfDays) {
    EXPECT_TRUE(createRally(state, "Spring Run", "Spring"));
    state.config.noOfDays = noOfDays;
    EXPECT_TRUE(saveConfig(state));
}

inline void ResultsRally::writeEntries(const std::vector<EntryLine>& lines) const {
    CsvWriter w;
    for (const char* h : {"Comp No", "Name", "Year", "Vehicle", "Type", "Speed", "Score Group", "Day 1",
                          "Day 2", "Day 3", "Day 4", "Day 5"})
        w.text(h);
    w.endRecord();
    for (const auto& e : lines) {
        w.number(e.compNo).text(e.name).text("1936").text("Riley").text("Kestrel").text("B").text(
            e.scoreGroup);
        for (double d : e.days)
            w.number(d);
        w.endRecord();
    }
    writeText(file(RallyFolder::EntryList, "EntryList.csv"), w.str());
}

inline void ResultsRally::writeScores(int day, int compNo, const std::vector<double>& scores) const {
    std::string s;
    for (double v : scores)
        s += formatNumber(v) + "\r\n";
    writeText(file(RallyFolder::Results, "R" + std::to_string(day) + formatCompNo(compNo) + ".csv"), s);
}

inline void ResultsRally::writeControls(int day, int controls) const {
    std::string s = "\"No\",\"Lat\",\"Long\",\"Dist\",\"A_Time\",\"B_Time\",\"C_Time\",\"D_Time\"\r\n";
    // Each control at a place of its own, as on a real route.
    for (int i = 1; i <= controls; ++i)
        s += std::to_string(i) + "," + formatNumber((-3380 - i) / 100.0) +
             ",151.2,12.4,30600,30420,30300,30180\r\n";
    writeText(file(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv"), s);
}

inline void ResultsRally::copyInput(const std::string& testCase) const {
    std::filesystem::copy(testData(testCase) / "input", state.paths.rallyFolder(state.rally.shortName),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

inline std::filesystem::path testData(const std::string& relative) {
    return std::filesystem::path(TRAKMORA_TEST_DATA) / relative;
}

inline void expectSameText(const std::string& expected, const std::string& actual, const std::string& what) {
    std::istringstream e(expected), a(actual);
    std::string el, al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA) return;
        if (!moreE || !moreA || el != al) {
            ADD_FAILURE() << what << " line " << line << ":\n  expected: " << (moreE ? el : "<end>")
                          << "\n  actual:   " << (moreA ? al : "<end>");
            return;
        }
    }
}

inline void expectSameFile(const std::filesystem::path& expected, const std::filesystem::path& actual) {
    ASSERT_TRUE(std::filesystem::exists(actual)) << actual;
    expectSameText(readFile(expected), readFile(actual), actual.filename().string());
}

} // namespace trakmora::test
