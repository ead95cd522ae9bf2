#pragma once
// Scrapping a control: its score becomes 0 in every R file of the day, so it adds nothing to any
// day total from the next day score build on. The control is also recorded for the day
// (Working/ScrappedControls Day<day>.csv), so that a competitor scored later gets 0 for it too.
// There is no undo.
#include "common/ProgramState.h"
#include "common/Status.h"

namespace trakmora {

// Rewrites every Results/R<day><nnn>.csv (numbers 1..250) atomically with score `controlNo` set to
// 0, one score per line. A file shorter than `controlCount` is filled up with 0; a longer one keeps
// its further scores. All files are read before the first is rewritten, so an unreadable file
// changes nothing. `controlNo` must lie in 1..controlCount.
Status scrapControl(const ProgramState& state, int day, int controlNo, int controlCount);

} // namespace trakmora
