#include "results/FinalResults.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "entries/EntryList.h"
#include "results/MatrixFiles.h"
#include "results/Positions.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace trakmora {

namespace {

using Ranked = RankedRow<FinalPositionRow>;

} // namespace

Status sumFinalMatrix(const ProgramState& state, int noOfDays, DayMatrix& colours) {
    colours.fill(CellState::NonStarter);
    for (int d = 1; d <= noOfDays; ++d)
        if (!regularFileExists(finalMatrixFile(state, d)))
            return Status::failure("Select day " + std::to_string(d) +
                                   " first: " + finalMatrixFile(state, d).string() + " is missing");
    std::vector<long> sums(kMatrixCells + 1, 0);
    CsvWriter trace;
    for (int d = 1; d <= noOfDays; ++d) {
        std::vector<long> values;
        if (auto st = readFinalMatrix(state, d, values); !st) return st;
        for (int n = 1; n <= kMatrixCells; ++n) {
            sums[static_cast<std::size_t>(n)] += values[static_cast<std::size_t>(n - 1)];
            trace.number(static_cast<double>(values[static_cast<std::size_t>(n - 1)])).endRecord();
        }
    }
    // The trace starts afresh with every summation rather than growing without end.
    if (auto st = writeFile(finalTraceFile(state), trace.str()); !st) return st;
    CsvWriter sumFile;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const long sum = sums[static_cast<std::size_t>(n)];
        sumFile.number(static_cast<double>(sum)).endRecord();
        colours.set(n, finalState(sum, noOfDays));
    }
    if (noOfDays == 2)
        if (auto st = writeFile(sumFinalMatrixFile(state), sumFile.str()); !st) return st;
    return {};
}

CellState finalState(long sum, int noOfDays) {
    if (sum == 0) return CellState::NonStarter;
    return sum == 10L * noOfDays ? CellState::Finisher : CellState::NonFinisher;
}

Status buildFinalResults(ProgramState& state, const DayMatrix& finalColours, FinalPositionTables& tables) {
    if (auto st = loadEntryList(state); !st) return st;
    std::array<std::vector<Ranked>, 4> groups;
    std::array<CsvWriter, 4> files;
    for (const Entry& e : state.entries.entries) {
        const int g = scoreGroupIndex(e.scoreGroup);
        if (g < 0) continue;
        double final = 0;
        for (int d = 1; d <= 5; ++d)
            final += e.dayResult[static_cast<std::size_t>(d)];
        CsvWriter& w = files[static_cast<std::size_t>(g)];
        Ranked r{{"", e.name, formatNumber(e.compNo), {}, formatNumber(final)}, e.compNo, final};
        w.text(e.name).number(e.compNo);
        for (int d = 1; d <= 5; ++d) {
            w.number(e.dayResult[static_cast<std::size_t>(d)]);
            r.row.days[static_cast<std::size_t>(d - 1)] =
                formatNumber(e.dayResult[static_cast<std::size_t>(d)]);
        }
        w.number(final).endRecord();
        groups[static_cast<std::size_t>(g)].push_back(std::move(r));
    }

    FinalPositionTables built;
    for (int g = 0; g < 4; ++g) {
        const auto file = finalScoreFile(state, g + 1);
        auto& rows = groups[static_cast<std::size_t>(g)];
        // A group with rows replaces its file whole; a failed write leaves the old one.
        if (rows.empty()) {
            if (auto st = removeIfExists(file); !st) return st;
            continue; // the later groups are still ranked
        }
        if (auto st = writeFile(file, files[static_cast<std::size_t>(g)].str()); !st) return st;
        // By the exact final, not rounded as the day positions are.
        rankGroup(rows, finalColours, built[static_cast<std::size_t>(g)]);
    }
    tables = std::move(built);
    return {};
}

} // namespace trakmora
