#pragma once
// Whole-file reading with a size guard, atomic replacement and appending.
#include "common/Status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace trakmora {

// Larger files than this are refused rather than read into memory (a logger download of
// 100,000 fixes is well under 20 MB).
inline constexpr std::uintmax_t kMaxReadableFileBytes = 256ull * 1024 * 1024;

// Reads the whole file into `content`. Fails with a message naming the file when it is missing,
// a folder, unreadable or too large.
Status readWholeFile(const std::filesystem::path& file, std::string& content);

// Replaces `file` with `content` so that a crash leaves either the old or the new file: the
// content goes to a temporary file in the same folder, is flushed to disk, then renamed over.
Status writeFileAtomically(const std::filesystem::path& file, std::string_view content);

// Writes the file directly (created or truncated). For working files that are rebuilt anyway.
Status writeFile(const std::filesystem::path& file, std::string_view content);

// Appends to the file, creating it when missing.
Status appendToFile(const std::filesystem::path& file, std::string_view content);

} // namespace trakmora
