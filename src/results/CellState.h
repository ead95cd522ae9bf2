#pragma once
// The state of one cell of the day matrix: whether competition number n finished the day.
// The enumerator values are the values of the FinalMatrix files (10, 1, 0), so that a sum over the
// days tells the final state.
namespace trakmora {

enum class CellState { NonStarter = 0, NonFinisher = 1, Finisher = 10 };

// Competition numbers 1..250 have a cell.
inline constexpr int kMatrixCells = 250;

// Screen colours as red + 256 * green + 65536 * blue: green, yellow, red.
inline int cellColour(CellState state) {
    switch (state) {
    case CellState::Finisher:
        return 65280;
    case CellState::NonFinisher:
        return 65535;
    case CellState::NonStarter:
        return 255;
    }
    return 255;
}

// The legend captions of the group scoring screen.
inline const char* cellCaption(CellState state) {
    switch (state) {
    case CellState::Finisher:
        return "Finisher";
    case CellState::NonFinisher:
        return "Non-finisher";
    case CellState::NonStarter:
        return "Non-starter or unscored";
    }
    return "";
}

} // namespace trakmora
