#pragma once
// Holux logger downloads ("h" or "H" names), 12 columns, header line first:
//
//   INDEX,FIX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED
//   1,1,T,SPS,2015/06/26,7:05:09,41.805592,N,12.679832,E,374.8,0.9
//   2,2,T,SPS,2015/06/26,7:05:14,41.805626,N,12.679758,E,381.5,0.5
//
// Used: fix number (1), date year/month/day (5), time h:m:s with one or two digits per part (6),
// latitude (7) and longitude (9) as they stand; the hemisphere columns are not consulted.
#include "tracking/loggers/LoggerLayout.h"

namespace trakmora {

const LoggerLayout& holuxLayout();

} // namespace trakmora
