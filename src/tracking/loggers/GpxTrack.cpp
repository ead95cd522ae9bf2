#include "tracking/loggers/GpxTrack.h"

#include "common/FileIo.h"
#include "common/Format.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace trakmora {

namespace {

// Line of a byte offset into the text, counting LF, CR LF and a lone CR as line ends.
int lineAt(std::string_view text, std::ptrdiff_t offset) {
    const std::size_t end = offset < 0 ? 0 : std::min(text.size(), static_cast<std::size_t>(offset));
    int line = 1;
    for (std::size_t i = 0; i < end; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    return line;
}

Status failAt(std::string_view text, std::ptrdiff_t offset, const std::string& message) {
    return Status::failure("line " + std::to_string(lineAt(text, offset)) + ": " + message);
}

// "trkpt" of "trkpt" and of "gpx:trkpt".
std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isElement(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && localName(node) == name;
}

pugi::xml_node childNamed(const pugi::xml_node& parent, std::string_view name) {
    for (const auto& child : parent.children())
        if (isElement(child, name)) return child;
    return {};
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool digitsAt(std::string_view s, std::size_t pos, std::size_t count, int& out) {
    if (pos + count > s.size()) return false;
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        value = value * 10 + (s[i] - '0');
    }
    out = value;
    return true;
}

// "2015-06-26T07:05:09.250+02:00" to the UTC date and whole seconds of the day.
bool readUtcTime(std::string_view s, LoggedRecord& out) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!digitsAt(s, 0, 4, year) || s.size() < 19 || s[4] != '-' || !digitsAt(s, 5, 2, month) ||
        s[7] != '-' || !digitsAt(s, 8, 2, day) || s[10] != 'T' || !digitsAt(s, 11, 2, hour) || s[13] != ':' ||
        !digitsAt(s, 14, 2, minute) || s[16] != ':' || !digitsAt(s, 17, 2, second))
        return false;
    std::size_t pos = 19;
    if (pos < s.size() && (s[pos] == '.' || s[pos] == ',')) {
        const std::size_t digits = ++pos;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')
            ++pos;
        if (pos == digits) return false;
    }
    int offsetSeconds = 0;
    if (pos < s.size()) {
        const std::string_view zone = s.substr(pos);
        int zoneHours = 0, zoneMinutes = 0;
        if (zone == "Z") {
        } else if ((zone[0] == '+' || zone[0] == '-') && digitsAt(zone, 1, 2, zoneHours) &&
                   (zone.size() == 3 ||
                    (zone.size() == 6 && zone[3] == ':' && digitsAt(zone, 4, 2, zoneMinutes)) ||
                    (zone.size() == 5 && digitsAt(zone, 3, 2, zoneMinutes)))) {
            if (zoneHours > 23 || zoneMinutes > 59) return false;
            offsetSeconds = (zone[0] == '-' ? -1 : 1) * (zoneHours * 3600 + zoneMinutes * 60);
        } else {
            return false;
        }
    }
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59)
        return false;
    const double serial = dateSerial(year, month, day);
    if (civilFromSerial(serial).day != day) return false; // 31 April and the like
    int seconds = hour * 3600 + minute * 60 + second - offsetSeconds;
    int dayShift = 0;
    if (seconds < 0) dayShift = -1;
    if (seconds >= 86400) dayShift = 1;
    seconds -= dayShift * 86400;
    const CivilDate utc = civilFromSerial(serial + dayShift);
    out.year = utc.year;
    out.month = utc.month;
    out.day = utc.day;
    out.seconds = seconds;
    return true;
}

bool readDegrees(const pugi::xml_node& point, const char* name, double limit, double& out) {
    std::string_view text = trimmed(point.attribute(name).value());
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::fabs(value) > limit)
        return false;
    out = value;
    return true;
}

} // namespace

Status readGpxTrack(std::string_view text, TrackRead& out) {
    out = TrackRead{};
    if (text.size() > kMaxReadableFileBytes)
        return Status::failure("the file is larger than " + std::to_string(kMaxReadableFileBytes >> 20) +
                               " MB");

    // Document type declarations are kept as a node (and refused below) rather than skipped;
    // pugixml never expands an entity of one.
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf8);
    if (!parsed) {
        std::string what = parsed.description();
        if (!what.empty()) what[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(what[0])));
        return failAt(text, parsed.offset, "not well-formed XML (" + what + ")");
    }
    pugi::xml_node root;
    for (const auto& node : doc.children()) {
        if (node.type() == pugi::node_doctype)
            return failAt(text, node.offset_debug(),
                          "a document type declaration (DTD or entities) is not accepted in a GPX file");
        if (node.type() != pugi::node_element) continue;
        if (root)
            return failAt(text, node.offset_debug(),
                          "a second root element <" + std::string(node.name()) + ">");
        root = node;
    }
    if (!isElement(root, "gpx"))
        return failAt(text, root.offset_debug(),
                      "the root element is <" + std::string(root.name()) + ">, not <gpx>");

    TrackRead read;
    std::size_t pointNo = 0;
    for (const auto& track : root.children())
        if (isElement(track, "trk"))
            for (const auto& segment : track.children())
                if (isElement(segment, "trkseg"))
                    for (const auto& point : segment.children()) {
                        if (!isElement(point, "trkpt")) continue;
                        if (++pointNo > kMaxTrackPoints)
                            return failAt(text, point.offset_debug(),
                                          "more than " + std::to_string(kMaxTrackPoints) + " track points");
                        LoggedRecord fix;
                        fix.fixNo = static_cast<double>(pointNo);
                        if (!readDegrees(point, "lat", 90, fix.lat) ||
                            !readDegrees(point, "lon", 180, fix.lon)) {
                            read.skip("bad position");
                            continue;
                        }
                        const pugi::xml_node time = childNamed(point, "time");
                        if (!time) {
                            read.skip("no time");
                            continue;
                        }
                        if (!readUtcTime(trimmed(time.child_value()), fix)) {
                            read.skip("bad time");
                            continue;
                        }
                        read.fixes.push_back(fix);
                    }
    out = std::move(read);
    return {};
}

} // namespace trakmora
