#include "entries/EntryList.h"

#include "common/Csv.h"
#include "common/FileIo.h"

namespace trakmora {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kColumns = 12;

fs::path entryListPath(const ProgramState& state) {
    return state.rallyFile(RallyFolder::EntryList, "EntryList.csv");
}

Status readEntry(const CsvDocument& doc, const CsvRecord& r, Entry& e) {
    if (auto st = doc.expectValues(r, kColumns); !st) return st;
    long compNo = 0;
    if (auto st = doc.integer(r, 0, -32768, 32767, compNo); !st) return st;
    e.compNo = static_cast<int>(compNo);
    std::string* texts[] = {&e.name, &e.year, &e.vehicle, &e.type, &e.speed, &e.scoreGroup};
    for (std::size_t i = 0; i < 6; ++i)
        *texts[i] = r.values[1 + i].text;
    for (int d = 1; d <= 5; ++d)
        if (auto st = doc.number(r, static_cast<std::size_t>(6 + d), e.dayResult[d]); !st) return st;
    return {};
}

} // namespace

Status readEntryList(const fs::path& file, EntryTable& table) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    if (doc.empty())
        return Status::failure(
            doc.problem(1, "the file is empty; the first line must hold the 12 column headers"));
    EntryTable read;
    const auto& records = doc.records();
    if (auto st = doc.expectValues(records[0], kColumns); !st) return st;
    // A list saved without its header line would lose its first entry to the header, and the
    // write-back would keep it as header text for good.
    if (double number = 0;
        !records[0].values[0].text.empty() && parseNumber(records[0].values[0].text, number))
        return Status::failure(
            doc.problem(records[0].line, "this is an entry (competition number " + records[0].values[0].text +
                                             "), not the 12 column headers the list starts with"));
    for (std::size_t i = 0; i < kColumns; ++i)
        read.header[i] = records[0].values[i].text;
    if (records.size() - 1 > static_cast<std::size_t>(kMaxEntries))
        return Status::failure(doc.problem(records[kMaxEntries + 1].line,
                                           "more than " + std::to_string(kMaxEntries) + " entries"));
    for (std::size_t i = 1; i < records.size(); ++i) {
        Entry e;
        if (auto st = readEntry(doc, records[i], e); !st) return st;
        read.entries.push_back(std::move(e));
    }
    read.currentEntry = read.count();
    table = std::move(read);
    return {};
}

std::string entryListText(const EntryTable& table) {
    CsvWriter w;
    for (const auto& h : table.header)
        w.text(h);
    w.endRecord();
    for (const Entry& e : table.entries) {
        w.number(e.compNo).text(e.name).text(e.year).text(e.vehicle).text(e.type).text(e.speed).text(
            e.scoreGroup);
        for (int d = 1; d <= 5; ++d)
            w.number(e.dayResult[d]);
        w.endRecord();
    }
    return w.take();
}

Status loadEntryList(ProgramState& state) {
    std::error_code ec;
    const fs::path file = entryListPath(state);
    // A list that cannot be loaded leaves none in use: the one loaded before may be another
    // rally's, or the organiser's file as it was before a change that went wrong.
    Status st =
        fs::exists(file, ec) ? readEntryList(file, state.entries) : Status::failure("No data to load");
    if (!st) state.entries = EntryTable{};
    return st;
}

Status writeBackDayResults(ProgramState& state, int day, const std::map<int, double>& totals) {
    if (auto st = loadEntryList(state); !st) return st;
    if (day < 1 || day > kMaxDays) return {};
    for (Entry& e : state.entries.entries)
        if (auto it = totals.find(e.compNo); it != totals.end()) e.dayResult[day] = it->second;
    state.entries.currentEntry = state.entries.count();
    return writeFileAtomically(entryListPath(state), entryListText(state.entries));
}

Status writeTemplate(ProgramState& state) {
    state.entries.currentEntry = state.entries.count();
    const fs::path file = state.rallyFile(RallyFolder::EntryList, "Template.csv");
    std::error_code ec;
    if (fs::exists(file, ec)) return {};
    CsvWriter w;
    for (const char* h : {"Comp No", "Name", "Year", "Vehicle", "Type", "Speed", "Score Group", "Day 1",
                          "Day 2", "Day 3", "Day 4", "Day 5"})
        w.text(h);
    w.endRecord();
    for (const char* line :
         {"Complete the template for all competitors", "All cells must have data",
          "Enter 0 for non applicable days", "Refer to the Operating Manual for further details ",
          "Rename the file EntryList.csv"})
        w.text(line).endRecord();
    return writeFileAtomically(file, w.str());
}

} // namespace trakmora
