#include "results/DayPositions.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "results/Positions.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <cmath>

namespace trakmora {

namespace {

using Ranked = RankedRow<DayPositionRow>;

int wholeNumber(const std::string& text) {
    double v = 0;
    parseNumber(text, v);
    return static_cast<int>(std::clamp(roundHalfEven(v), -2147483648.0, 2147483647.0));
}

} // namespace

Status buildDayPositions(const ProgramState& state, int day, const CombinedDayTable& combined,
                         const DayMatrix& matrix, DayPositionTables& tables) {
    std::array<std::vector<Ranked>, 4> groups;
    std::array<CsvWriter, 4> files;
    for (const CombinedDayRow& r : combined.rows) {
        const int g = scoreGroupIndex(r.scoreGroup);
        if (g < 0) continue;
        files[static_cast<std::size_t>(g)].text(r.name).text(r.compNo).text(r.total).endRecord();
        double total = 0;
        parseNumber(r.total, total);
        groups[static_cast<std::size_t>(g)].push_back(
            {{"", r.name, r.compNo, r.total}, wholeNumber(r.compNo), roundHalfEven(total)});
    }

    DayPositionTables built;
    for (int g = 0; g < 4; ++g) {
        const auto file = dayPositionFile(state, day, g + 1);
        auto& rows = groups[static_cast<std::size_t>(g)];
        // A group with rows replaces its file whole; a failed write leaves the old one.
        if (rows.empty()) {
            if (auto st = removeIfExists(file); !st) return st;
            continue;
        }
        if (auto st = writeFile(file, files[static_cast<std::size_t>(g)].str()); !st) return st;
        // By the total rounded to a whole number, halves to even.
        rankGroup(rows, matrix, built[static_cast<std::size_t>(g)]);
    }
    tables = std::move(built);
    return {};
}

} // namespace trakmora
