#include "results/CombinedDayResults.h"

#include "common/Csv.h"
#include "results/CellState.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <climits>

namespace trakmora {

Status loadCombinedDayResults(const ProgramState& state, int day, int controlCount, CombinedDayTable& table) {
    const auto file = dayScoreFile(state, day);
    std::error_code ec;
    // A folder in the file's place is read, and so reported by name, rather than taken as no data.
    if (!std::filesystem::exists(file, ec)) return Status::failure("No data to load");
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;

    CombinedDayTable read;
    read.day = day;
    read.controlCount = std::clamp(controlCount, 1, kMaxDayScoreControls);
    std::vector<long> numbers;
    for (const CsvRecord& r : doc.records()) {
        long compNo = 0;
        double total = 0;
        if (auto st = doc.integer(r, 1, SHRT_MIN, SHRT_MAX, compNo); !st) return st;
        if (auto st = doc.number(r, 3, total); !st) return st;
        if (read.rows.size() == static_cast<std::size_t>(kMatrixCells))
            return Status::failure(
                doc.problem(r.line, "more than " + std::to_string(kMatrixCells) + " lines"));
        CombinedDayRow row{r.values[0].text, r.values[1].text, r.values[2].text, r.values[3].text, {}};
        const std::size_t last = std::min<std::size_t>(r.size(), 4 + kMaxDayScoreControls);
        for (std::size_t i = 4; i < last; ++i)
            row.scores.push_back(r.values[i].text);
        read.rows.push_back(std::move(row));
        numbers.push_back(compNo);
    }
    std::vector<std::size_t> order(read.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; });
    std::vector<CombinedDayRow> sorted;
    for (std::size_t i : order)
        sorted.push_back(std::move(read.rows[i]));
    read.rows = std::move(sorted);
    table = std::move(read);
    return {};
}

} // namespace trakmora
