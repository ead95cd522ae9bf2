#pragma once
// A fresh folder per test, removed afterwards, and small file helpers for tests.
#include <filesystem>
#include <string>

namespace trakmora::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& file);
void writeText(const std::filesystem::path& file, const std::string& content);

// Runs trakmora-cli with the arguments (a shell-quoted string); returns the exit status and
// fills `output` with standard output and error together.
int runCli(const std::string& arguments, std::string& output);

} // namespace trakmora::test
