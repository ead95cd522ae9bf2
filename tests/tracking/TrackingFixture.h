#pragma once
// A fresh rally "T" (start date 26 Jun 2015, default settings) for the tracking tests.
#include "common/Csv.h"
#include "support/RallyTest.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <string>

namespace trakmora::test {

class TrackingFixture : public RallyTest {
protected:
    TrackingFixture() : RallyTest("Tracking Test", "T") {}
    std::filesystem::path logFile(const std::string& name) const {
        return state.rallyFile(RallyFolder::CompetitorsLog, name);
    }
    std::filesystem::path bakFile(const std::string& name) const {
        return state.rallyFile(RallyFolder::CompetitorsLogBak, name);
    }
};

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
