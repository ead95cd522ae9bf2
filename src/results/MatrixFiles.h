#pragma once
// The matrix files of a rally day and the non-finisher marks:
//   Working/MatrixDisplay<day>.csv   250 lines "n,f": f is 10 when n has an R file, else 0
//   Working/NonFinishers Day<day>.csv one number per line in the order marked; 0 is a removed mark
//   Working/FinalMatrix<day>.csv     250 lines: 10 Finisher, 1 NonFinisher, 0 NonStarter
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/DayMatrix.h"

#include <vector>

namespace trakmora {

// Reads the non-finisher marks of the day in file order (0 lines included). A missing file is an
// empty list. Fails with file and line on a value that is not a whole number.
Status readNonFinishers(const ProgramState& state, int day, std::vector<int>& marks);

// Reads FinalMatrix<day>.csv: the first value of each of the first kMatrixCells lines, each a
// whole number within a short. Fails with file and line on a missing line or a bad value; a
// missing file fails as the CSV reader reports it, so callers that know what to build first
// check for it themselves. `values` holds kMatrixCells numbers on success.
Status readFinalMatrix(const ProgramState& state, int day, std::vector<long>& values);

// Recomputes every cell of the day from the R files, the non-finisher marks and the jury's
// exclusions (Corrections.h), and rewrites
// MatrixDisplay<day>.csv and FinalMatrix<day>.csv. `matrix` is only changed on success.
Status rebuildDayMatrix(const ProgramState& state, int day, DayMatrix& matrix);

// The cell click: a marked number loses its mark (its lines become 0), any other number gets
// one (a line holding n is added); then the matrix is rebuilt. Numbers without a cell change
// nothing. The marks are the organiser's work, so the file is replaced atomically.
Status toggleNonFinisher(const ProgramState& state, int day, int compNo, DayMatrix& matrix);

} // namespace trakmora
