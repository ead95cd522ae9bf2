#pragma once
// The 250 cells of the group scoring screen, one per competition number. The screen only draws
// this table; day positions and final positions read their NF/NS marks from it.
#include "results/CellState.h"

#include <array>

namespace trakmora {

struct MatrixCounts {
    int finishers = 0;
    int nonFinishers = 0;
    int nonStarters = 0;
};

class DayMatrix {
public:
    // Cell n for 1 <= n <= 250; any other number has no cell and reads as a NonStarter.
    CellState state(int compNo) const;
    void set(int compNo, CellState state);
    void fill(CellState state);
    // Counts over the cells 1..shownCells (the numbers the screen shows) and any cell above them
    // that is not a NonStarter.
    MatrixCounts counts(int shownCells) const;
    bool operator==(const DayMatrix&) const = default;

    static bool hasCell(int compNo) { return compNo >= 1 && compNo <= kMatrixCells; }

private:
    std::array<CellState, kMatrixCells + 1> cells_{}; // index 0 unused
};

} // namespace trakmora
