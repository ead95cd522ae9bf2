#include "demo/DemoRally.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "demo/DemoRoute.h"
#include "entries/EntryList.h"
#include "schedule/RSModule.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <array>
#include <random>

namespace trakmora {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 20> kFirstNames = {
    "Alan",  "Beth",  "Colin", "Dora", "Evan", "Fay", "Gus", "Hilda", "Ian", "June",
    "Keith", "Lorna", "Mick",  "Nell", "Owen", "Pam", "Ray", "Sue",   "Tom", "Val"};
constexpr std::array<const char*, 20> kSurnames = {
    "Archer", "Bell", "Carter", "Dunn", "Ellis", "Fraser", "Grant", "Hughes", "Irving", "Jones",
    "Kerr",   "Lyle", "Moss",   "Nash", "Oakes", "Price",  "Quinn", "Reid",   "Shaw",   "Tate"};
struct Vehicle {
    const char* make;
    const char* model;
    int firstYear;
};
constexpr std::array<Vehicle, 12> kVehicles = {{{"Austin", "Seven", 1928},
                                                {"Riley", "Kestrel", 1935},
                                                {"Ford", "Model A", 1929},
                                                {"MG", "TC", 1946},
                                                {"Morris", "Minor", 1950},
                                                {"Jaguar", "XK120", 1951},
                                                {"Holden", "FJ", 1954},
                                                {"Triumph", "TR3", 1957},
                                                {"Volkswagen", "Beetle", 1960},
                                                {"Mini", "Cooper S", 1965},
                                                {"Ford", "Cortina GT", 1967},
                                                {"Datsun", "240Z", 1971}}};

RallyConfig demoConfig(const std::string& longName) {
    RallyConfig c = RallyConfig::defaults(longName);
    c.startDate = dateSerial(2026, 3, 14);
    c.noOfDays = kDemoDays;
    c.dayStartTime = {0, 28800, 30600, 28800, 28800, 28800}; // 08:00 and 08:30
    c.noOfSpeedGroups = 4;
    c.groupSpeed = {0, 45, 50, 55, 60};
    c.baselineSpeedGroup = 2;
    c.noOfScoreGroups = 3;
    c.scoreGroupName = {"", "Pre-war", "Post-war", "Classic", "Score Group D"};
    c.lastEntry = {0, 10, 20, 30, 40};
    c.utcOffset = 11 * 3600; // the route lies in Victoria, on summer time in March
    return c;
}

// Score group by the vehicle's age: before 1940, before 1960, later.
std::string scoreGroupOf(int year) {
    return year < 1940 ? "A" : year < 1960 ? "B" : "C";
}

EntryTable demoEntries(const RallyConfig& config, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> first(0, kFirstNames.size() - 1),
        last(0, kSurnames.size() - 1), vehicle(0, kVehicles.size() - 1);
    std::uniform_int_distribution<int> age(0, 4);
    EntryTable table;
    table.header = {"Comp No",     "Name",  "Year",  "Vehicle", "Type",  "Speed",
                    "Score Group", "Day 1", "Day 2", "Day 3",   "Day 4", "Day 5"};
    for (int no = 1; no <= kDemoEntries; ++no) {
        const Vehicle& v = kVehicles[vehicle(random)];
        const std::string surname = kSurnames[last(random)];
        const int year = v.firstYear + age(random);
        Entry e;
        e.compNo = no;
        const std::size_t driver = first(random);
        const std::size_t navigator =
            (driver + 1 + first(random) % (kFirstNames.size() - 1)) % kFirstNames.size();
        e.name =
            std::string(kFirstNames[driver]) + " " + surname + " / " + kFirstNames[navigator] + " " + surname;
        e.year = std::to_string(year);
        e.vehicle = v.make;
        e.type = v.model;
        int group = 1;
        while (group < kMaxGroups && no > config.lastEntry[static_cast<std::size_t>(group)])
            ++group;
        e.speed = std::string(1, groupLetter(group));
        e.scoreGroup = scoreGroupOf(year);
        table.entries.push_back(e);
    }
    return table;
}

std::string registerWithout(const std::vector<RegisterRecord>& records, const std::string& shortName) {
    CsvWriter out;
    for (const RegisterRecord& r : records)
        if (r.shortName != shortName) out.text(r.shortName).text(r.longName).endRecord();
    return out.take();
}

} // namespace

DemoRoles demoRoles(int day) {
    // Numbers from different speed and score groups, different on each day.
    if (day == 1) return DemoRoles{17, 25, 6, 4, 12, 28, 9, 22};
    return DemoRoles{33, 8, 21, 7, 39, 16};
}

std::vector<Correction> demoCorrections(int day) {
    if (day != 1) return {};
    const DemoRoles roles = demoRoles(day);
    return {
        {0,
         {},
         roles.missedControl,
         CorrectionKind::SetControl,
         roles.missedControlNo,
         0,
         "Sent off the route before control " + std::to_string(roles.missedControlNo) +
             " by a marshal at a road closure"},
        {0,
         {},
         roles.loggingGap,
         CorrectionKind::Penalty,
         0,
         60,
         "Stopped inside the control area after control 2, seen by a marshal"},
        {0, {}, 30, CorrectionKind::Exclude, 0, 0, "Missed the start by five minutes, \"no excuse\""},
    };
}

Status createDemoRally(ProgramState& state, const std::string& shortName, std::uint32_t seed) {
    // Long names are unique in the register: a second demonstration rally carries its short name.
    const std::string longName =
        shortName == "Demo" ? std::string("Demonstration Rally") : "Demonstration Rally (" + shortName + ")";
    if (auto st = createRally(state, longName, shortName); !st) return st;
    const fs::path marker = state.paths.rallyFolder(shortName) / kDemoMarker;
    if (auto st =
            writeFileAtomically(marker, "Made by trakmora-cli demo; demo --replace may delete this rally.\n");
        !st)
        return st;
    state.config = demoConfig(longName);
    if (auto st = saveConfig(state); !st) return st;
    const EntryTable entries = demoEntries(state.config, seed);
    if (auto st = writeFileAtomically(state.rallyFile(RallyFolder::EntryList, "EntryList.csv"),
                                      entryListText(entries));
        !st)
        return st;
    if (auto st = loadEntryList(state); !st) return st;
    for (int day = 1; day <= kDemoDays; ++day) {
        state.rally.selectedDay = day;
        state.schedule = demoSchedule(day, seed);
        if (auto st = saveDay(state); !st) return st;
    }
    state.rally.selectedDay = 1;
    return {};
}

Status removeDemoRally(ProgramState& state, const std::string& shortName) {
    const fs::path folder = state.paths.rallyFolder(shortName);
    std::error_code ec;
    if (!fs::exists(folder, ec)) return {};
    if (!fs::exists(folder / kDemoMarker, ec))
        return Status::failure("The rally \"" + shortName + "\" was not made by demo and is left as it is: " +
                               "choose another short name with --short");
    fs::remove_all(folder, ec);
    if (ec) return Status::failure("Cannot remove " + folder.string() + ": " + ec.message());
    std::vector<RegisterRecord> records;
    if (auto st = readRegister(state, records); !st) return st;
    return writeFileAtomically(state.paths.registerFile(), registerWithout(records, shortName));
}

} // namespace trakmora
