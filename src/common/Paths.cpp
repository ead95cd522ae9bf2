#include "common/Paths.h"

#include <cctype>
#include <cstdlib>

namespace trakmora {
namespace fs = std::filesystem;

std::string_view folderName(RallyFolder folder) {
    switch (folder) {
    case RallyFolder::CompetitorsLog:
        return "CompetitorsLog";
    case RallyFolder::CompetitorsLogBak:
        return "CompetitorsLog/Bak";
    case RallyFolder::EntryList:
        return "EntryList";
    case RallyFolder::RouteSchedule:
        return "RouteSchedule";
    case RallyFolder::Working:
        return "Working";
    case RallyFolder::Results:
        return "Results";
    case RallyFolder::Marshals:
        return "Marshals";
    }
    return "Working";
}

fs::path defaultDataRoot() {
#ifdef _WIN32
    return fs::path("C:\\Trakmora\\");
#else
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / "Trakmora";
#endif
}

Paths::Paths(fs::path dataRoot) : dataRoot_(std::move(dataRoot)) {}

fs::path Paths::registerFile() const {
    return dataRoot_ / "Register.csv";
}

fs::path Paths::rallyFolder(const std::string& shortName) const {
    return dataRoot_ / shortName;
}

fs::path Paths::folder(const std::string& shortName, RallyFolder f) const {
    return rallyFolder(shortName) / fs::path(std::string(folderName(f)));
}

fs::path Paths::file(const std::string& shortName, RallyFolder f, const std::string& fileName) const {
    return folder(shortName, f) / fileName;
}

std::optional<std::string> unsafeFolderNameReason(std::string_view name) {
    if (name.empty()) return "the short name is empty";
    if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
        return "the short name must not start with a blank or end with a blank or a full stop";
    if (name == "." || name.find("..") != std::string_view::npos)
        return "the short name must not contain \"..\"";
    for (unsigned char c : name) {
        if (c < 32 || c == 127) return "the short name must not contain control characters";
        if (std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return std::string("the short name must not contain ") + static_cast<char>(c);
    }
    std::string stem(name.substr(0, name.find('.')));
    for (char& c : stem)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kReserved[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* r : kReserved)
        if (stem == r) return "\"" + std::string(name) + "\" is a name Windows reserves";
    if (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' &&
        stem[3] <= '9')
        return "\"" + std::string(name) + "\" is a name Windows reserves";
    return std::nullopt;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace trakmora
