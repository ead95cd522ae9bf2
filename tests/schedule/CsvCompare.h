#pragma once
// Compares a written comma-separated file with its expected file: the same records and values,
// text exactly (quoted where expected), numbers by value to nine significant digits, so an
// expected file can hold a hand-calculated 0.04666666666666667 where the program wrote
// 0.04666666666666666. Names the first differing line.
#include "common/Csv.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

namespace trakmora::test {

inline std::string compareCsvFiles(const std::filesystem::path& actualFile,
                                   const std::filesystem::path& expectedFile) {
    if (!std::filesystem::exists(actualFile)) return actualFile.string() + " was not written";
    const CsvDocument actual = CsvDocument::parse(readFile(actualFile), actualFile.string());
    const CsvDocument expected = CsvDocument::parse(readFile(expectedFile), expectedFile.string());
    const auto& a = actual.records();
    const auto& e = expected.records();
    for (std::size_t r = 0; r < std::max(a.size(), e.size()); ++r) {
        const std::string where =
            expectedFile.filename().string() + " record " + std::to_string(r + 1) + ": ";
        if (r >= a.size()) return where + "missing";
        if (r >= e.size()) return where + "not expected";
        if (a[r].size() != e[r].size())
            return where + std::to_string(a[r].size()) + " values, expected " + std::to_string(e[r].size());
        for (std::size_t v = 0; v < e[r].size(); ++v) {
            const CsvValue& av = a[r].values[v];
            const CsvValue& ev = e[r].values[v];
            const std::string value = where + "value " + std::to_string(v + 1) + " \"" + av.text +
                                      "\", expected \"" + ev.text + "\"";
            if (ev.quoted || av.quoted) {
                if (ev.quoted != av.quoted || ev.text != av.text) return value;
                continue;
            }
            double x = 0, y = 0;
            if (!parseNumber(av.text, x) || !parseNumber(ev.text, y)) return value;
            if (std::fabs(x - y) > 1e-9 * std::max(1.0, std::fabs(y))) return value;
        }
    }
    return "";
}

} // namespace trakmora::test
