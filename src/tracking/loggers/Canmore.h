#pragma once
// Canmore logger downloads ("c" or "C" names), 11 columns, header line first:
//
//   INDEX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED
//   1,T,SPS,2015/06/26,07:05:09,51.311770,N,12.413179,E,146,0.0
//   2,T,SPS,2015/06/26,07:05:26,51.311807,N,12.412898,E,146,4.2
//
// Used: fix number (1), date year/month/day (4), time with hours, minutes and seconds at
// characters 1-2, 4-5 and 7-8 (5), latitude (6) and longitude (8) as they stand.
#include "tracking/loggers/LoggerLayout.h"

namespace trakmora {

const LoggerLayout& canmoreLayout();

} // namespace trakmora
