#pragma once
// Easy Logger downloads ("e" or "E" names), 14 columns, header line first:
//
//   INDEX,RCR,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED,PDOP,HDOP,NSAT
//   1,T,2015/06/26,05:05:09,SPS,41.805592,N,12.679832,E,374 m,0.9 km/h,1.13,0.85,11(11)
//   2,T,2015/06/26,05:05:10,SPS,41.805598,N,12.679820,E,375 m,1.2 km/h,1.13,0.85,11(11)
//
// Used: fix number (1), date year/month/day (3), time with hours, minutes and seconds at
// characters 1-2, 4-5 and 7-8 (4), latitude (6) and longitude (8) as they stand.
// The Easy Logger clock runs two hours behind: 7200 seconds are added before the offset. It logs
// every second, so only every fifth record of the file is kept (records 1, 6, 11, ...).
#include "tracking/loggers/LoggerLayout.h"

namespace trakmora {

const LoggerLayout& easyLoggerLayout();

} // namespace trakmora
