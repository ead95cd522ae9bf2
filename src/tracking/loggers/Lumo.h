#pragma once
// Exports of the Lumo rally app ("x" or "X" names), 4 columns, header line first:
//
//   "Fix","Latitude","Longitude","Time"
//   1,41.805592,12.679832,"2015-06-26T07:05:09"
//   2,41.805626,12.679758,"2015-06-26T07:05:14"
//
// Used: fix number (1), latitude (2), longitude (3), and the time stamp (4) with year, month and
// day at characters 1-4, 6-7 and 9-10 and hours, minutes and seconds at 12-13, 15-16 and 18-19.
// The app may stop writing in the middle of its last line; such a cut last line is ignored.
#include "tracking/loggers/LoggerLayout.h"

namespace trakmora {

const LoggerLayout& lumoLayout();

} // namespace trakmora
