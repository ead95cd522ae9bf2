#include "support/RallyFixture.h"

#include "common/Csv.h"
#include "common/Format.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <stdexcept>

namespace trakmora::test {
namespace fs = std::filesystem;

const char* const kEntryListHeader =
    "\"Comp No\",\"Name\",\"Year\",\"Vehicle\",\"Type\",\"Speed\",\"Score Group\",\"Day 1\",\"Day 2\","
    "\"Day 3\",\"Day 4\",\"Day 5\"\r\n";

const char* const kScheduleHeader =
    "\"No\",\"Instruction\",\"Type\",\"Distance\",\"A_Speed\",\"B_Speed\",\"C_Speed\",\"D_Speed\",\"Limit\","
    "\"AddTime_A\",\"AddTime_B\",\"AddTime_C\",\"AddTime_D\",\"Lat\",\"Long\"\r\n";

ControlRecord control(int no, double lat, double lon, double dist, double time) {
    ControlRecord c;
    c.no = no;
    c.lat = lat;
    c.lon = lon;
    c.dist = dist;
    for (std::size_t g = 1; g <= 4; ++g)
        c.groupTime[g] = time;
    return c;
}

fs::path testData(const std::string& relative) {
    return fs::path(TRAKMORA_TEST_DATA) / relative;
}

TestRally::TestRally() : state(root.path(), messages) {}

TestRally::TestRally(const std::string& longName, const std::string& shortName, int days) : TestRally() {
    create(longName, shortName);
    if (days > 0) configure([days](RallyConfig& c) { c.noOfDays = days; });
}

void TestRally::create(const std::string& longName, const std::string& shortName) {
    if (const Status st = createRally(state, longName, shortName); !st)
        throw std::runtime_error("cannot create rally " + shortName + ": " + st.message());
}

void TestRally::configure(const std::function<void(RallyConfig&)>& change) {
    change(state.config);
    if (const Status st = saveConfig(state); !st)
        throw std::runtime_error("cannot save the settings: " + st.message());
}

void TestRally::write(RallyFolder folder, const std::string& name, const std::string& content) const {
    writeText(file(folder, name), content);
}

void TestRally::writeEntryList(const std::string& records) const {
    writeText(entryList(), kEntryListHeader + records);
}

void TestRally::writeEntries(const std::vector<EntryLine>& lines) const {
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
    writeText(entryList(), w.str());
}

void TestRally::writeEntries(int count, const std::function<std::string(int)>& scoreGroup) const {
    std::string s;
    for (int n = 1; n <= count; ++n)
        s += std::to_string(n) + ",\"Crew " + std::to_string(n) + "\",1936,\"Riley\",\"Kestrel\",\"B\",\"" +
             scoreGroup(n) + "\",0,0,0,0,0\r\n";
    writeEntryList(s);
}

void TestRally::writeSchedule(int day, const std::string& records) const {
    write(RallyFolder::RouteSchedule, "RS" + std::to_string(day) + "_Data.csv", kScheduleHeader + records);
}

void TestRally::writeControls(int day, const std::vector<ControlRecord>& controls) const {
    write(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv", controlFileText(controls));
}

void TestRally::writeControls(int day, int controls) const {
    std::string s = "\"No\",\"Lat\",\"Long\",\"Dist\",\"A_Time\",\"B_Time\",\"C_Time\",\"D_Time\"\r\n";
    for (int i = 1; i <= controls; ++i)
        s += std::to_string(i) + "," + formatNumber((-3380 - i) / 100.0) +
             ",151.2,12.4,30600,30420,30300,30180\r\n";
    write(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv", s);
}

void TestRally::writeScores(int day, int compNo, const std::vector<double>& scores) const {
    std::string s;
    for (double v : scores)
        s += formatNumber(v) + "\r\n";
    write(RallyFolder::Results, "R" + std::to_string(day) + formatCompNo(compNo) + ".csv", s);
}

void TestRally::copyIn(const fs::path& source, RallyFolder folder, const std::string& name) const {
    fs::copy_file(source, file(folder, name.empty() ? source.filename().string() : name));
}

void TestRally::copyInput(const std::string& testCase) const {
    fs::copy(testData(testCase) / "input", state.paths.rallyFolder(state.rally.shortName),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

} // namespace trakmora::test
