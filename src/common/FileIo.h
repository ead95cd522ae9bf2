#pragma once
// Whole-file reading with a size guard, atomic replacement, copying, moving and appending.
// Every write of the core goes through here, so a failed write (a full disk, a USB stick pulled
// or locked) leaves each file either as it was or complete, and never a temporary file behind.
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

// Writes a working file that is rebuilt anyway: through a temporary file renamed over the old
// one like writeFileAtomically (a full disk never leaves half a file), but not flushed to disk.
Status writeFile(const std::filesystem::path& file, std::string_view content);

// Appends to the file, creating it when missing.
Status appendToFile(const std::filesystem::path& file, std::string_view content);

// Copies `from` over `to` through writeFileAtomically. A failure leaves `from` and any earlier
// `to` untouched and no temporary file behind; the message names the file that failed.
Status copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Moves `from` to `to`: renamed once `from` is flushed to disk (copied as copyFileAtomically
// when the two are on different disks), and `from` gone only once `to` is complete. The time of
// the target is the time of the move.
Status moveFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Finishes a file another writer (the workbook library) wrote to `temporary` beside `file`:
// flushes it to disk and renames it over `file`. On failure the temporary is removed and the
// old `file` stays as it was.
Status replaceWithTemporary(const std::filesystem::path& temporary, const std::filesystem::path& file);

} // namespace trakmora

// For tests only: makes one of the file layer's writes fail as a full or broken disk would.
// Every write, flush to disk, rename and removal the layer does counts as one write. Unarmed,
// the layer only counts.
namespace trakmora::test_faults {

// The `n`th write from now (1 = the next) fails with `err` (ENOSPC, EIO, EACCES, EROFS...);
// 0 disarms. The count of writes starts again from 0.
void failWriteNumber(int n, int err);
void reset();
// Writes counted since the last failWriteNumber or reset.
int writesSeen();
// Whether the armed failure has happened.
bool failureHappened();
// Arms the hook from a setting "N:ENOSPC" (or EIO, EACCES, EROFS, or an errno number); returns
// false for a setting it does not understand.
bool armFromSetting(std::string_view setting);

} // namespace trakmora::test_faults
