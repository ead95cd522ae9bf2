#pragma once
// What the import needs to know about one logger's download layout. Each logger has its own
// module that fills one of these; LoggerTable lists them by logger letter.
#include "common/Csv.h"
#include "common/RallyConfig.h"
#include "common/Status.h"

#include <cstddef>
#include <string_view>

namespace trakmora {

// One download record cut into the values the import uses, before the logger offset.
struct LoggedRecord {
    double fixNo = 0;
    double lat = 0;
    double lon = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    double seconds = 0; // time of day in seconds, before the offset
    // The latitude and longitude as the download writes them (views of its text, or empty), to
    // be copied into the competitor log when they are already in its form.
    std::string_view latText, lonText;
};

using RecordReader = Status (*)(const CsvDocument& doc, const CsvFields& record, LoggedRecord& out);
// Writes one record in the layout (the inverse of RecordReader), for generated downloads.
using RecordWriter = void (*)(CsvWriter& out, const LoggedRecord& record);
using OffsetField = double (*)(const RallyConfig& config);

struct LoggerLayout {
    char letter = 'h';       // first character of the download name (lower case)
    const char* name = "";   // for messages
    std::size_t columns = 0; // values in every record
    RecordReader read = nullptr;
    RecordWriter write = nullptr;
    const char* header = ""; // a header line as the logger writes it
    OffsetField offset = nullptr;
    int keepEvery = 1;             // 5 for the Easy Logger: records 1, 6, 11, ... of the file
    bool lastLineMayBeCut = false; // an export whose last line may be cut short
};

} // namespace trakmora
