#include "results/DayScore.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "entries/EntryList.h"
#include "results/CellState.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace trakmora {

namespace {

const Entry* findEntry(const EntryTable& table, int compNo) {
    for (const Entry& e : table.entries)
        if (e.compNo == compNo) return &e;
    return nullptr;
}

std::string numberList(const std::vector<int>& numbers) {
    std::string s;
    for (int n : numbers)
        s += (s.empty() ? "" : ", ") + std::to_string(n);
    return s;
}

} // namespace

Status readResultScores(const std::filesystem::path& file, std::vector<double>& scores) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<double> read;
    CsvCursor cursor(doc);
    while (!cursor.atEnd()) {
        double v = 0;
        if (auto st = cursor.number(v); !st) return st;
        if (read.size() == static_cast<std::size_t>(kMaxControlScores))
            return Status::failure(doc.problem(
                cursor.line(), "more than " + std::to_string(kMaxControlScores) + " control scores"));
        read.push_back(v);
    }
    scores = std::move(read);
    return {};
}

std::string dayScoreLineText(const DayScoreLine& line) {
    CsvWriter w;
    w.text(line.name).number(line.compNo).text(line.scoreGroup).number(line.total);
    const std::size_t k = std::clamp<std::size_t>(line.scores.size(), 1, kMaxDayScoreControls);
    for (std::size_t i = 0; i < k; ++i)
        w.number(i < line.scores.size() ? line.scores[i] : 0);
    w.endRecord();
    return w.take();
}

Status buildDayScore(ProgramState& state, int day, int previousControlCount, DayScoreBuild& out) {
    // Input that cannot be read leaves no day score file of the day's earlier state; a failed
    // write (below) leaves the earlier file whole.
    const auto withoutDayScore = [&](const Status& problem) {
        if (auto st = removeIfExists(dayScoreFile(state, day)); !st) return st;
        return problem;
    };
    if (auto st = loadEntryList(state); !st) return withoutDayScore(st);

    DayScoreBuild build;
    build.day = day;
    build.controlCount = previousControlCount;
    std::map<int, std::vector<double>> measured;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const auto file = resultFile(state, day, n);
        if (!regularFileExists(file)) continue;
        std::vector<double>& scores = measured[n];
        if (auto st = readResultScores(file, scores); !st) return withoutDayScore(st);
        build.controlCount = static_cast<int>(scores.size());
    }
    // The jury's decisions go on top of the measurement, before anything is summed or written.
    CorrectedDay corrected;
    if (auto st = correctDay(state, day, measured, corrected); !st) return withoutDayScore(st);
    std::map<int, double> totals;
    std::string text;
    for (auto& [n, scores] : corrected.competitors) {
        DayScoreLine line;
        line.compNo = n;
        line.scores = std::move(scores.scores);
        line.correctedControls = std::move(scores.correctedControls);
        line.total = scores.total;
        line.measuredTotal = scores.measuredTotal;
        line.totalCorrected = scores.totalCorrected;
        line.excluded = scores.excluded;
        if (const Entry* e = findEntry(state.entries, n)) {
            line.name = e->name;
            line.scoreGroup = e->scoreGroup;
        } else {
            build.numbersWithoutEntry.push_back(n);
        }
        totals[n] = line.total;
        text += dayScoreLineText(line);
        build.lines.push_back(std::move(line));
    }
    build.corrections = std::move(corrected.corrections);
    if (!build.lines.empty()) {
        if (auto st = writeFileAtomically(dayScoreFile(state, day), text); !st) return st;
        if (auto st = writeBackDayResults(state, day, totals); !st) return st;
    } else if (auto st = removeIfExists(dayScoreFile(state, day)); !st) {
        return st;
    }
    // The day matrix has cells for 1..250 only: scores of higher numbers are not summed, and the
    // organiser is told rather than left to find them missing.
    std::vector<int> beyondMatrix;
    for (int n = kMatrixCells + 1; n <= kMaxEntries; ++n)
        if (regularFileExists(resultFile(state, day, n))) beyondMatrix.push_back(n);
    if (!beyondMatrix.empty())
        state.messages->info("Day " + std::to_string(day) + ": competition numbers above " +
                             std::to_string(kMatrixCells) + " have no day score line: R files of " +
                             numberList(beyondMatrix) + " are left out");
    if (!build.numbersWithoutEntry.empty())
        state.messages->info(
            "Day " + std::to_string(day) + ": no entry in the entry list for competition number" +
            (build.numbersWithoutEntry.size() > 1 ? "s " : " ") + numberList(build.numbersWithoutEntry) +
            "; their day score lines carry no name or score group");
    out = std::move(build);
    return {};
}

} // namespace trakmora
