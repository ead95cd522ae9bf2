#pragma once
// A workbook as the reports build it: numbered worksheets (1, 2, ...), written to an .xlsx file
// on save. A new workbook has one worksheet named "Sheet1"; added worksheets go after the last
// and are named "Sheet2", "Sheet3", ... until a report names them.
#include "common/Status.h"
#include "xlsx/Worksheet.h"

#include <ctime>
#include <deque>
#include <filesystem>

namespace trakmora {

class Workbook {
public:
    Workbook();

    Worksheet& addWorksheet();
    int worksheetCount() const { return static_cast<int>(sheets_.size()); }
    // Worksheet `number`, counted from 1; the last one for a number beyond the count, the first
    // one for a number below 1 (the reports only use numbers they have created).
    Worksheet& worksheet(int number);
    const Worksheet& worksheet(int number) const;

    // The "created" document property; fixed so that the same input gives the same file.
    void setCreated(std::time_t created) { created_ = created; }
    std::time_t created() const { return created_; }

    // Writes the workbook to `file`, replacing an existing file only once the new one is
    // complete. Fails with a message naming the file when it cannot be written (a missing
    // folder, the file held open by another program) or the workbook holds something the file
    // format refuses (a bad sheet name or address, a text too long for a cell or header).
    Status save(const std::filesystem::path& file) const;

private:
    std::deque<Worksheet> sheets_;
    std::time_t created_ = 0;
};

} // namespace trakmora
