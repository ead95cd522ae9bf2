#pragma once
// Reads an NMEA 0183 download: the RMC (date, time, status, position) and GGA (time, fix quality,
// position) sentences of any talker (GP, GN, GL, GA, GB, BD...), in file order. Every other
// sentence and any line without a '$' is passed over without a word.
//
// - A sentence runs from the last '$' of its line to the line's end (CR LF, LF or CR); anything
//   before that '$' is noise the logger left behind.
// - A sentence whose "*hh" checksum is present and wrong (or not two hex digits) is skipped as
//   "bad checksum"; an RMC with status V or a GGA with fix quality 0 as "no fix"; a sentence with
//   too few fields or a field that is not what it should be as "bad sentence".
// - A GGA has no date of its own: it takes the date of the last RMC taken. When its time runs
//   back by more than half a day against the last time taken, it has passed midnight and takes
//   the next day. A GGA before any RMC is skipped as "no date".
// - Sentences of the same date and whole second give one fix (the RMC and GGA of one epoch, or
//   the several epochs per second of a fast logger): the first of them.
// - Positions ddmm.mmmm / dddmm.mmmm with N/S and E/W become degrees, negative to the south and
//   west. Times are UTC; fractions of a second are dropped as for the other loggers.
#include "common/Status.h"
#include "tracking/loggers/TrackRead.h"

#include <string_view>

namespace trakmora {

// Fills `out` with the fixes (fixNo the running number from 1) and the skipped sentences by
// reason. Text over the readable file size or more than kMaxTrackPoints fixes fail with `out`
// left empty; the message names the line where that applies, and the caller puts the file's name
// in front. Text without any sentence reads as no fixes.
Status readNmeaTrack(std::string_view text, TrackRead& out);

} // namespace trakmora
