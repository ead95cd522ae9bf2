#pragma once
// A fresh rally "T" (start date 26 Jun 2015, default settings) for the tracking tests.
#include "common/Csv.h"
#include "common/ProgramState.h"
#include "schedule/ControlFile.h"
#include "support/TempDir.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace trakmora::test {

class TrackingFixture : public ::testing::Test {
protected:
    TrackingFixture() : state(root.path(), messages) {
        const Status st = createRally(state, "Tracking Test", "T");
        if (!st) ADD_FAILURE() << st.message();
    }
    std::filesystem::path logFile(const std::string& name) const {
        return state.rallyFile(RallyFolder::CompetitorsLog, name);
    }
    std::filesystem::path bakFile(const std::string& name) const {
        return state.rallyFile(RallyFolder::CompetitorsLogBak, name);
    }
    // Writes Marshals/cp<day>.csv with its header line.
    void writeControls(int day, const std::vector<ControlRecord>& controls) const {
        CsvWriter w;
        for (const char* h : {"No", "Lat", "Long", "Dist", "A_Time", "B_Time", "C_Time", "D_Time"})
            w.text(h);
        w.endRecord();
        for (const auto& c : controls) {
            w.number(c.no).number(c.lat).number(c.lon).number(c.dist);
            for (std::size_t g = 1; g <= 4; ++g)
                w.number(c.groupTime[g]);
            w.endRecord();
        }
        writeText(state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv"), w.str());
    }

    TempDir root;
    RecordingMessages messages;
    ProgramState state;
};

// A control with the same time for every speed group.
inline ControlRecord control(int no, double lat, double lon, double dist, double time) {
    ControlRecord c;
    c.no = no;
    c.lat = lat;
    c.lon = lon;
    c.dist = dist;
    for (std::size_t g = 1; g <= 4; ++g)
        c.groupTime[g] = time;
    return c;
}

} // namespace trakmora::test

namespace trakmora::test {

// Compares two comma-separated files value by value: numbers by value, text exactly. Returns an
// empty string when they agree, else the first difference with its line.
inline std::string csvDifference(const std::filesystem::path& actual, const std::filesystem::path& expected) {
    CsvDocument a, e;
    if (auto st = CsvDocument::load(actual, a); !st) return st.message();
    if (auto st = CsvDocument::load(expected, e); !st) return st.message();
    const auto& ra = a.records();
    const auto& re = e.records();
    for (std::size_t i = 0; i < std::max(ra.size(), re.size()); ++i) {
        if (i >= ra.size() || i >= re.size())
            return "record " + std::to_string(i + 1) + ": one file ends early (" +
                   actual.filename().string() + ")";
        const bool same = ra[i].size() == re[i].size() && [&] {
            for (std::size_t v = 0; v < ra[i].size(); ++v) {
                double x = 0, y = 0;
                const auto& va = ra[i].values[v];
                const auto& ve = re[i].values[v];
                if (va.quoted || ve.quoted || !parseNumber(va.text, x) || !parseNumber(ve.text, y)) {
                    if (va.text != ve.text) return false;
                } else if (x != y) {
                    return false;
                }
            }
            return true;
        }();
        if (!same)
            return actual.filename().string() + " line " + std::to_string(ra[i].line) +
                   " differs from expected line " + std::to_string(re[i].line);
    }
    return {};
}

} // namespace trakmora::test
