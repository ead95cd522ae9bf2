#pragma once
// Reads a saved workbook back the way a reader sees it, through the dump script beside this file
// (openpyxl), into a map of property -> value.
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include <sys/wait.h>

namespace trakmora::test {

struct WorkbookDump {
    std::map<std::string, std::string> properties;
    std::string error; // set when the workbook could not be read

    // The value of a property, or "<none>" when the reader does not report it.
    std::string operator[](const std::string& key) const {
        const auto it = properties.find(key);
        return it == properties.end() ? "<none>" : it->second;
    }
    bool has(const std::string& key) const { return properties.count(key) != 0; }
};

inline WorkbookDump dumpWorkbook(const std::filesystem::path& file) {
    const std::filesystem::path script =
        std::filesystem::path(TRAKMORA_TEST_DATA).parent_path() / "reports" / "dump_workbook.py";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + file.string() + "' 2>&1";
    WorkbookDump dump;
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        dump.error = "cannot run " + command;
        return dump;
    }
    char buf[8192];
    std::size_t n = 0;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        output.append(buf, n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        dump.error = output;
        return dump;
    }
    std::size_t start = 0;
    while (start < output.size()) {
        auto end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        const auto tab = line.find('\t');
        if (tab != std::string::npos) dump.properties[line.substr(0, tab)] = line.substr(tab + 1);
        start = end + 1;
    }
    return dump;
}

// The width the file stores for a column width given in characters (the writer adds the cell
// padding of 5 pixels and keeps 1/256 of a character).
inline double storedColumnWidth(double characters) {
    const int pixels = static_cast<int>(characters * 7 + 0.5) + 5;
    return static_cast<int>(pixels / 7.0 * 256) / 256.0;
}

} // namespace trakmora::test
