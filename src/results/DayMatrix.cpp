#include "results/DayMatrix.h"

namespace trakmora {

CellState DayMatrix::state(int compNo) const {
    return hasCell(compNo) ? cells_[static_cast<std::size_t>(compNo)] : CellState::NonStarter;
}

void DayMatrix::set(int compNo, CellState state) {
    if (hasCell(compNo)) cells_[static_cast<std::size_t>(compNo)] = state;
}

void DayMatrix::fill(CellState state) {
    cells_.fill(state);
}

MatrixCounts DayMatrix::counts(int shownCells) const {
    MatrixCounts c;
    for (int n = 1; n <= kMatrixCells; ++n) {
        const CellState s = state(n);
        if (n > shownCells && s == CellState::NonStarter) continue;
        if (s == CellState::Finisher)
            ++c.finishers;
        else if (s == CellState::NonFinisher)
            ++c.nonFinishers;
        else
            ++c.nonStarters;
    }
    return c;
}

} // namespace trakmora
