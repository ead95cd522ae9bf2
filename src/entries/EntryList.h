#pragma once
// EntryList/EntryList.csv: the competitors of the rally, prepared by the organiser in a
// spreadsheet, and EntryList/Template.csv, the empty form offered to start from.
//
//   "Comp No","Name","Year","Vehicle","Type","Speed","Score Group","Day 1","Day 2","Day 3","Day 4","Day 5"
//   7,"J Smith / A Smith",1936,"Riley","Kestrel","B","A",0,0,0,0,0
#include "common/EntryTable.h"
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>
#include <map>

namespace trakmora {

// Reads a whole entry list. Fails with file and line on a short record, text in a number column,
// a competition number outside -32768..32767 or more than 300 entries; `table` is only replaced on
// success (currentEntry is set to the count).
Status readEntryList(const std::filesystem::path& file, EntryTable& table);

// The file as the program writes it: header texts, then one record per entry with the six text
// columns quoted.
std::string entryListText(const EntryTable& table);

// Loads EntryList.csv into the state's table. A missing file gives "No data to load"; a missing or
// unreadable file leaves the table empty, so that no list of before stays in use.
Status loadEntryList(ProgramState& state);

// Stores day totals (by competition number) into the day's column of every entry carrying that
// number and rewrites EntryList.csv atomically. Days outside 1..5 change nothing. The state's
// table is reloaded from the file first, as the organiser may have edited it.
Status writeBackDayResults(ProgramState& state, int day, const std::map<int, double>& totals);

// Creates EntryList/Template.csv when it does not exist; an existing one is left untouched.
Status writeTemplate(ProgramState& state);

} // namespace trakmora
