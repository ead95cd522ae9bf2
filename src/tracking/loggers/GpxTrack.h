#pragma once
// GPX 1.0 and 1.1 track files, as phones and modern loggers export them.
#include "common/Status.h"
#include "tracking/loggers/TrackRead.h"

#include <string_view>

namespace trakmora {

// Reads the track points (trk/trkseg/trkpt, across every track and segment, in file order) of a
// GPX document, with or without a namespace prefix on the element names. Each point's `time`
// (ISO 8601 with "Z" or a "+hh:mm" offset; a time without either is taken as UTC, as GPX writes
// it) becomes a UTC date and whole seconds of the day (a fraction of a second is dropped, as the
// other layouts drop it). A point with no time, a bad time or a bad position is skipped and
// counted; every point keeps its running number in the file as its fix number.
//
// The whole document is refused, with `out` left empty and a message "line <n>: ...", when it is
// not well-formed XML, holds a document type declaration (entities are never expanded), has a
// root other than gpx, or holds more than kMaxTrackPoints points; and, without a line, when it is
// larger than kMaxReadableFileBytes.
Status readGpxTrack(std::string_view text, TrackRead& out);

} // namespace trakmora
