#include "results/MatrixFiles.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "results/Corrections.h"
#include "results/ResultFiles.h"

#include <climits>

namespace trakmora {

namespace {

Status writeMarks(const ProgramState& state, int day, const std::vector<int>& marks) {
    CsvWriter w;
    for (int m : marks)
        w.number(m).endRecord();
    return writeFileAtomically(nonFinishersFile(state, day), w.str());
}

} // namespace

Status readFinalMatrix(const ProgramState& state, int day, std::vector<long>& values) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(finalMatrixFile(state, day), doc); !st) return st;
    CsvCursor cursor(doc);
    values.assign(kMatrixCells, 0);
    for (long& v : values)
        if (auto st = cursor.integer(SHRT_MIN, SHRT_MAX, v); !st) return st;
    return {};
}

Status readNonFinishers(const ProgramState& state, int day, std::vector<int>& marks) {
    const auto file = nonFinishersFile(state, day);
    std::vector<int> read;
    std::error_code ec;
    // Anything but a missing file is read, so that a folder in its place is reported by name.
    if (std::filesystem::exists(file, ec)) {
        CsvDocument doc;
        if (auto st = CsvDocument::load(file, doc); !st) return st;
        CsvCursor cursor(doc);
        while (!cursor.atEnd()) {
            long n = 0;
            if (auto st = cursor.integer(SHRT_MIN, SHRT_MAX, n); !st) return st;
            read.push_back(static_cast<int>(n));
        }
    }
    marks = std::move(read);
    return {};
}

Status rebuildDayMatrix(const ProgramState& state, int day, DayMatrix& matrix) {
    std::vector<int> marks;
    if (auto st = readNonFinishers(state, day, marks); !st) return st;

    DayMatrix rebuilt;
    CsvWriter display;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const bool scored = regularFileExists(resultFile(state, day, n));
        display.number(n).number(scored ? 10 : 0).endRecord();
        rebuilt.set(n, scored ? CellState::Finisher : CellState::NonStarter);
    }
    for (int m : marks)
        rebuilt.set(m, CellState::NonFinisher); // 0 and numbers above 250 have no cell
    // A competitor the jury excluded from the day is a non-finisher, whatever the marks say; one
    // without a result stays unscored.
    std::vector<Correction> corrections;
    if (auto st = readCorrections(state, day, corrections); !st) return st;
    for (const Correction& c : corrections)
        if (c.kind == CorrectionKind::Exclude && rebuilt.state(c.compNo) == CellState::Finisher)
            rebuilt.set(c.compNo, CellState::NonFinisher);

    CsvWriter final;
    for (int n = 1; n <= kMatrixCells; ++n)
        final.number(static_cast<int>(rebuilt.state(n))).endRecord();
    if (auto st = writeFile(matrixDisplayFile(state, day), display.str()); !st) return st;
    if (auto st = writeFile(finalMatrixFile(state, day), final.str()); !st) return st;
    matrix = rebuilt;
    return {};
}

Status toggleNonFinisher(const ProgramState& state, int day, int compNo, DayMatrix& matrix) {
    if (!DayMatrix::hasCell(compNo)) return {};
    std::vector<int> marks;
    if (auto st = readNonFinishers(state, day, marks); !st) return st;
    // The marks decide the yellow cells, so they are asked rather than a possibly stale matrix.
    bool marked = false;
    for (int& m : marks)
        if (m == compNo) {
            m = 0;
            marked = true;
        }
    if (!marked) marks.push_back(compNo);
    if (auto st = writeMarks(state, day, marks); !st) return st;
    return rebuildDayMatrix(state, day, matrix);
}

} // namespace trakmora
