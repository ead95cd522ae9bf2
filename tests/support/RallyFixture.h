#pragma once
// A rally in a fresh temporary data root, and the files tests write into it by hand: the
// configuration, the entry list, route schedule data, control files, downloads and R files.
// Plain C++ over the core (no test framework, no Qt), so the screen tests can use it as well;
// support/RallyTest.h makes it a GoogleTest fixture.
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "schedule/ControlFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trakmora::test {

// The header line of EntryList.csv.
extern const char* const kEntryListHeader;
// The header line of RS<day>_Data.csv.
extern const char* const kScheduleHeader;

// One line of the entry list; the car is always a 1936 Riley Kestrel in speed group B.
struct EntryLine {
    int compNo;
    std::string name;
    std::string scoreGroup;
    std::vector<double> days = {0, 0, 0, 0, 0};
};

// A control with the same time for every speed group.
ControlRecord control(int no, double lat, double lon, double dist, double time);

// tests/data/<relative>.
std::filesystem::path testData(const std::string& relative);

class TestRally {
public:
    // A data root with no rally in it yet.
    TestRally();
    // A rally created in a fresh data root; a positive `days` is set and saved in its settings.
    // Throws when the rally cannot be made.
    TestRally(const std::string& longName, const std::string& shortName, int days = 0);
    TestRally(const TestRally&) = delete;
    TestRally& operator=(const TestRally&) = delete;

    // Creates another rally in the same data root and opens it; throws when it cannot.
    void create(const std::string& longName, const std::string& shortName);
    // Changes the settings of the open rally and saves them; throws when they cannot be saved.
    void configure(const std::function<void(RallyConfig&)>& change);

    std::filesystem::path file(RallyFolder folder, const std::string& name) const {
        return state.rallyFile(folder, name);
    }
    std::filesystem::path entryList() const { return file(RallyFolder::EntryList, "EntryList.csv"); }
    // Writes `content` to a file of the open rally.
    void write(RallyFolder folder, const std::string& name, const std::string& content) const;

    // EntryList.csv: the header line, then `records` as given.
    void writeEntryList(const std::string& records) const;
    void writeEntries(const std::vector<EntryLine>& lines) const;
    // Entries 1..count named "Crew <n>"; `scoreGroup` gives each one's score group.
    void writeEntries(int count, const std::function<std::string(int)>& scoreGroup) const;
    // RouteSchedule/RS<day>_Data.csv: the header line, then `records` as given.
    void writeSchedule(int day, const std::string& records) const;
    // Marshals/cp<day>.csv with its header line.
    void writeControls(int day, const std::vector<ControlRecord>& controls) const;
    // Marshals/cp<day>.csv with `controls` controls, each at a place of its own.
    void writeControls(int day, int controls) const;
    // Results/R<day><nnn>.csv with one score per line.
    void writeScores(int day, int compNo, const std::vector<double>& scores) const;
    // Copies a file of tests/data into a folder of the rally, keeping its name unless given one.
    void copyIn(const std::filesystem::path& source, RallyFolder folder, const std::string& name = {}) const;
    // Copies tests/data/<testCase>/input/ over the rally folder.
    void copyInput(const std::string& testCase) const;

    TempDir root;
    RecordingMessages messages;
    ProgramState state;
};

} // namespace trakmora::test
