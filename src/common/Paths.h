#pragma once
// Every path of a rally is built here: data root, rally short name, folder, file name.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trakmora {

// The folders of a rally, in the order they are created.
enum class RallyFolder {
    CompetitorsLog,
    CompetitorsLogBak,
    EntryList,
    RouteSchedule,
    Working,
    Results,
    Marshals
};

inline constexpr std::array<RallyFolder, 7> kRallyFolders = {
    RallyFolder::CompetitorsLog, RallyFolder::CompetitorsLogBak, RallyFolder::EntryList,
    RallyFolder::RouteSchedule,  RallyFolder::Working,           RallyFolder::Results,
    RallyFolder::Marshals};

// "CompetitorsLog", "CompetitorsLog/Bak", ... spelled the same on every system.
std::string_view folderName(RallyFolder folder);

// C:\Trakmora\ on Windows, $HOME/Trakmora/ elsewhere.
std::filesystem::path defaultDataRoot();

class Paths {
public:
    explicit Paths(std::filesystem::path dataRoot);
    const std::filesystem::path& dataRoot() const { return dataRoot_; }
    std::filesystem::path registerFile() const;
    std::filesystem::path rallyFolder(const std::string& shortName) const;
    std::filesystem::path folder(const std::string& shortName, RallyFolder folder) const;
    std::filesystem::path file(const std::string& shortName, RallyFolder folder,
                               const std::string& fileName) const;

private:
    std::filesystem::path dataRoot_;
};

// Why `name` cannot be used as a rally folder name, or nothing when it can: it must not be empty,
// hold path separators, "..", characters Windows refuses or control characters, nor be a name
// Windows reserves (CON, NUL, COM1, ...).
std::optional<std::string> unsafeFolderNameReason(std::string_view name);

// Files directly in `folder` whose names match `accept`, sorted by name (directory order differs
// between systems). A missing folder gives an empty list.
template <class Predicate>
std::vector<std::filesystem::path> listFiles(const std::filesystem::path& folder, Predicate accept);

// Case-insensitive comparison of ASCII letters, for logger letters and prefixes.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

} // namespace trakmora

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

template <class Predicate>
std::vector<std::filesystem::path> trakmora::listFiles(const std::filesystem::path& folder,
                                                       Predicate accept) {
    std::vector<std::pair<std::string, std::filesystem::path>> named;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        std::string name = it->path().filename().string();
        if (accept(name)) named.emplace_back(std::move(name), it->path());
    }
    std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::filesystem::path> found;
    found.reserve(named.size());
    for (auto& n : named)
        found.push_back(std::move(n.second));
    return found;
}
