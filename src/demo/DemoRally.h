#pragma once
// The demonstration rally: a two-day rally of 40 entries with generated route schedules and
// logger downloads, so that a new user sees every step work on data that looks like a real day.
//
// The rally folder holds kDemoMarker, so that only a rally made here is ever replaced.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/Corrections.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr const char* kDemoMarker = "DemoRally.txt";
inline constexpr int kDemoDays = 2;
inline constexpr int kDemoEntries = 40;

// Who does something other than an ordinary drive on a day.
struct DemoRoles {
    int nonStarter = 0;    // no download
    int nonFinisher = 0;   // the download stops half-way; marked as a non-finisher
    int missedControl = 0; // drives well off the route past one control
    int missedControlNo = 0;
    int loggingGap = 0;     // a few minutes without fixes between two controls
    int otherDateFixes = 0; // the download starts with fixes of the evening before
    int backupLogger = 0;   // carries a backup logger too (h<day><no>b.csv in another layout)
    int backupAfterGap = 0; // carries a backup logger; the primary logs nothing over two controls
};

DemoRoles demoRoles(int day);

// The jury's decisions the demonstration enters after building a day: on day 1 one of each kind
// (a control's score set, a penalty, an exclusion); none on other days.
std::vector<Correction> demoCorrections(int day);

// Creates the rally `shortName` (refused, as any new rally, when the folder exists), writes the
// marker, the configuration, the entry list and both days' route schedules.
Status createDemoRally(ProgramState& state, const std::string& shortName, std::uint32_t seed);

// Deletes the rally folder and its register lines, but only when the folder holds the marker.
// A missing folder is not an error.
Status removeDemoRally(ProgramState& state, const std::string& shortName);

// After the day's control files are written: the logger downloads of every starter of the day
// into CompetitorsLog, made from drives along the day's route. `written` gets their names.
Status writeDemoDownloads(const ProgramState& state, int day, std::uint32_t seed,
                          std::vector<std::string>& written);

} // namespace trakmora
