#include "results/ControlScrap.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "results/CellState.h"
#include "results/DayScore.h"
#include "results/ResultFiles.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <vector>

namespace trakmora {

Status scrapControl(const ProgramState& state, int day, int controlNo, int controlCount) {
    if (controlNo < 1 || controlNo > controlCount)
        return Status::failure("Control " + std::to_string(controlNo) + " cannot be scrapped: day " +
                               std::to_string(day) + " has " + std::to_string(controlCount) + " controls");
    struct Rewrite {
        std::filesystem::path file;
        std::vector<double> scores;
    };
    std::vector<Rewrite> rewrites;
    for (int n = 1; n <= kMatrixCells; ++n) {
        Rewrite r{resultFile(state, day, n), {}};
        if (!regularFileExists(r.file)) continue;
        if (auto st = readResultScores(r.file, r.scores); !st) return st;
        r.scores.resize(std::max(r.scores.size(), static_cast<std::size_t>(controlCount)), 0.0);
        r.scores[static_cast<std::size_t>(controlNo - 1)] = 0;
        rewrites.push_back(std::move(r));
    }
    // Recorded before the R files are rewritten: an interruption between the two leaves the
    // control recorded, and scrapping it again completes the R files.
    if (auto st = recordScrappedControl(state, day, controlNo); !st) return st;
    for (const Rewrite& r : rewrites) {
        CsvWriter w;
        for (double s : r.scores) w.number(s).endRecord();
        if (auto st = writeFileAtomically(r.file, w.str()); !st) return st;
    }
    return {};
}

} // namespace trakmora
