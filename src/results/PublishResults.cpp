#include "results/PublishResults.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "results/Corrections.h"
#include "results/DayMatrix.h"
#include "results/DayScore.h"
#include "results/FinalResults.h"
#include "results/MatrixFiles.h"
#include "results/Positions.h"
#include "results/ResultFiles.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

struct PublishRow {
    std::string position;
    std::vector<std::string> cells; // from the competition number on
};
using Ranked = RankedRow<PublishRow>;

// The day results must exist before a page is made of them.
Status readMatrixValues(const ProgramState& state, int day, std::vector<long>& values) {
    const fs::path file = finalMatrixFile(state, day);
    if (!regularFileExists(file))
        return Status::failure(file.string() + " is missing: build the day results of the rally first");
    return readFinalMatrix(state, day, values);
}

int wholeNumber(const std::string& text) {
    double v = 0;
    parseNumber(text, v);
    return static_cast<int>(std::clamp(v, -1e6, 1e6));
}

// Ranks the rows by key (stable: equal keys keep file order) and puts the position in front.
std::vector<std::vector<std::string>> rankRows(std::vector<Ranked> rows, const DayMatrix& marks) {
    struct {
        std::vector<PublishRow> rows;
    } ranked;
    rankGroup(rows, marks, ranked);
    std::vector<std::vector<std::string>> out;
    for (PublishRow& r : ranked.rows) {
        out.push_back({r.position});
        out.back().insert(out.back().end(), r.cells.begin(), r.cells.end());
    }
    return out;
}

std::string publishedAt(const ProgramState& state) {
    const std::time_t t = std::chrono::system_clock::to_time_t(state.now());
    std::tm local{};
    localtime_r(&t, &local);
    const double serial = dateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", local.tm_hour, local.tm_min);
    return "Published " + formatDate(serial) + " " + clock;
}

void startContent(const ProgramState& state, bool official, std::string heading,
                  ResultsPageContent& content) {
    content = {};
    content.rallyName = state.config.rallyName;
    content.heading = std::move(heading);
    content.published = publishedAt(state);
    content.official = official;
}

// The day totals the R files of the day give now with the jury's corrections applied (as the day
// score build adds them), by competition number, and the corrections of the day for the page.
Status readDayTotals(const ProgramState& state, int day, std::map<int, double>& totals,
                     std::vector<std::string>* corrections = nullptr) {
    totals.clear();
    CorrectedDay corrected;
    if (auto st = readCorrectedDay(state, day, corrected); !st) return st;
    for (const auto& [n, scores] : corrected.competitors)
        totals[n] = scores.total;
    if (corrections)
        for (const AppliedCorrection& a : corrected.corrections)
            corrections->push_back(
                "Day " + std::to_string(day) + ": " + correctionText(a.correction) +
                (a.effect == CorrectionEffect::Applied ? "" : " (" + correctionEffectText(a) + ")"));
    return {};
}

// A page must not show totals the R files no longer give (a control scrapped, or a competitor
// scored again, since the positions were printed).
Status checkTotal(const std::map<int, double>& totals, int compNo, const std::string& shown,
                  const std::string& what, const std::string& remedy) {
    const auto it = totals.find(compNo);
    double value = 0;
    if (it == totals.end() || !parseNumber(shown, value) || value == it->second) return {};
    return Status::failure(what + " do not match the R files any more (competitor " + std::to_string(compNo) +
                           ": " + shown + " there, " + formatNumber(it->second) + " now): " + remedy);
}

std::string groupName(const ProgramState& state, int group) {
    const std::string& name = state.config.scoreGroupName[static_cast<std::size_t>(group)];
    return name.empty() ? std::string("Score Group ") + static_cast<char>('A' + group - 1) : name;
}

} // namespace

Status dayPageContent(const ProgramState& state, int day, bool official, ResultsPageContent& content) {
    std::vector<long> values;
    if (auto st = readMatrixValues(state, day, values); !st) return st;
    DayMatrix marks;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const long v = values[static_cast<std::size_t>(n - 1)];
        marks.set(n, v == 10 ? CellState::Finisher : v == 1 ? CellState::NonFinisher : CellState::NonStarter);
    }

    // Control scores by competition number, as the day score file holds them.
    std::map<int, std::vector<std::string>> scores;
    std::size_t controls = 0;
    if (regularFileExists(dayScoreFile(state, day))) {
        CsvDocument doc;
        if (auto st = CsvDocument::load(dayScoreFile(state, day), doc); !st) return st;
        for (const auto& rec : doc.records()) {
            if (auto st = doc.expectValues(rec, 5); !st) return st;
            std::vector<std::string> line;
            for (std::size_t i = 4; i < rec.size(); ++i)
                line.push_back(rec.values[i].text);
            controls = std::max(controls, line.size());
            scores[wholeNumber(rec.values[1].text)] = std::move(line);
        }
    }

    std::map<int, double> totals;
    std::vector<std::string> corrections;
    if (auto st = readDayTotals(state, day, totals, &corrections); !st) return st;
    const std::string positionsOfDay = "The day positions of day " + std::to_string(day);

    ResultsPageContent page;
    startContent(state, official, "Day " + std::to_string(day) + " positions", page);
    for (int g = 1; g <= 4; ++g) {
        const fs::path file = dayPositionFile(state, day, g);
        if (!regularFileExists(file)) continue;
        CsvDocument doc;
        if (auto st = CsvDocument::load(file, doc); !st) return st;
        std::vector<Ranked> rows;
        for (const auto& rec : doc.records()) {
            if (auto st = doc.expectValues(rec, 3); !st) return st;
            Ranked r;
            r.compNo = wholeNumber(rec.values[1].text);
            if (auto st =
                    checkTotal(totals, r.compNo, rec.values[2].text, positionsOfDay,
                               "build the day and its positions again first (day --day " +
                                   std::to_string(day) + ", then results --day " + std::to_string(day) + ")");
                !st)
                return st;
            r.row.cells = {rec.values[1].text, rec.values[0].text, rec.values[2].text};
            auto it = scores.find(r.compNo);
            for (std::size_t c = 0; c < controls; ++c)
                r.row.cells.push_back(it != scores.end() && c < it->second.size() ? it->second[c] : "");
            double total = 0;
            parseNumber(rec.values[2].text, total);
            r.key = roundHalfEven(total);
            rows.push_back(std::move(r));
        }
        PageTable table;
        table.title = groupName(state, g);
        table.headings = {"Pos", "No", "Name", "Total"};
        for (std::size_t c = 1; c <= controls; ++c)
            table.headings.push_back("CP" + std::to_string(c));
        table.numericFrom = 3;
        table.rankColumn = 3; // Total
        table.rows = rankRows(std::move(rows), marks);
        page.tables.push_back(std::move(table));
    }
    page.corrections = std::move(corrections);
    if (page.tables.empty())
        return Status::failure("No day positions of day " + std::to_string(day) +
                               " in the Results folder: print the day positions first");
    content = std::move(page);
    return {};
}

Status finalPageContent(const ProgramState& state, bool official, ResultsPageContent& content) {
    const int days = static_cast<int>(std::clamp(state.config.noOfDays, 1.0, 5.0));
    std::vector<long> sums(kMatrixCells, 0);
    for (int d = 1; d <= days; ++d) {
        std::vector<long> values;
        if (auto st = readMatrixValues(state, d, values); !st) return st;
        for (std::size_t i = 0; i < values.size(); ++i)
            sums[i] += values[i];
    }
    DayMatrix marks;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const long sum = sums[static_cast<std::size_t>(n - 1)];
        marks.set(n, finalState(sum, days));
    }

    std::vector<std::map<int, double>> dayTotals(static_cast<std::size_t>(days));
    std::vector<std::string> corrections;
    for (int d = 1; d <= days; ++d)
        if (auto st = readDayTotals(state, d, dayTotals[static_cast<std::size_t>(d - 1)], &corrections); !st)
            return st;

    ResultsPageContent page;
    startContent(state, official, "Final positions", page);
    for (int g = 1; g <= 4; ++g) {
        const fs::path file = finalScoreFile(state, g);
        if (!regularFileExists(file)) continue;
        CsvDocument doc;
        if (auto st = CsvDocument::load(file, doc); !st) return st;
        std::vector<Ranked> rows;
        for (const auto& rec : doc.records()) {
            if (auto st = doc.expectValues(rec, 8); !st) return st;
            Ranked r;
            r.compNo = wholeNumber(rec.values[1].text);
            r.row.cells = {rec.values[1].text, rec.values[0].text};
            for (int d = 0; d < days; ++d) {
                const std::string& shown = rec.values[static_cast<std::size_t>(2 + d)].text;
                if (auto st = checkTotal(dayTotals[static_cast<std::size_t>(d)], r.compNo, shown,
                                         "The final results", "build the final results again first (final)");
                    !st)
                    return st;
                r.row.cells.push_back(shown);
            }
            r.row.cells.push_back(rec.values[7].text);
            if (auto st = doc.number(rec, 7, r.key); !st) return st;
            rows.push_back(std::move(r));
        }
        PageTable table;
        table.title = groupName(state, g);
        table.headings = {"Pos", "No", "Name"};
        for (int d = 1; d <= days; ++d)
            table.headings.push_back("Day " + std::to_string(d));
        table.headings.push_back("Final");
        table.numericFrom = 3;
        table.rankColumn = table.headings.size() - 1; // Final
        table.rows = rankRows(std::move(rows), marks);
        page.tables.push_back(std::move(table));
    }
    page.corrections = std::move(corrections);
    if (page.tables.empty())
        return Status::failure("No final results in the Results folder: build the final results first");
    content = std::move(page);
    return {};
}

fs::path publishedPageFile(const fs::path& outDir, int day) {
    return outDir / (day > 0 ? "Day" + std::to_string(day) + ".html" : std::string("Final.html"));
}

Status writeResultsPage(const ResultsPageContent& content, const fs::path& file) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec)
        return Status::failure("Cannot create the folder " + file.parent_path().string() + ": " +
                               ec.message());
    return writeFileAtomically(file, resultsPageHtml(content));
}

} // namespace trakmora
