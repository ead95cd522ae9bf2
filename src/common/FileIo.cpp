#include "common/FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace trakmora {
namespace fs = std::filesystem;

namespace {

// The test hook: which write fails and how. Armed before the work starts; the count is kept
// atomically, since a day's competitors are written side by side.
struct WriteFaults {
    std::atomic<int> seen{0};
    int failAt = 0;
    int err = 0;
    std::atomic<bool> happened{false};
} faults;

// Counts one write; true (with the errno to report) when the armed failure is this one.
bool injectedFault(int& err) {
    const int number = ++faults.seen;
    if (faults.failAt == 0 || number != faults.failAt) return false;
    faults.happened = true;
    err = faults.err;
    return true;
}

Status cannotWrite(const fs::path& file, const std::string& why) {
    return Status::failure("Cannot write " + file.string() + ": " + why);
}

// Writes the content and, when `sync` is set, flushes it to stable storage. Returns an empty
// string on success, else the reason.
std::string writeContent(const fs::path& file, std::string_view content, const char* mode, bool sync) {
    std::FILE* f = std::fopen(file.string().c_str(), mode);
    if (!f) return std::strerror(errno);
    int err = 0;
    // fwrite may not be given the null pointer of empty content, even for no bytes.
    const auto put = [f](std::string_view part) {
        return part.empty() || std::fwrite(part.data(), 1, part.size(), f) == part.size();
    };
    if (injectedFault(err)) {
        // The disk fills up half-way through the content.
        put(content.substr(0, content.size() / 2));
        std::fclose(f);
        return std::strerror(err);
    }
    bool ok = put(content);
    ok = std::fflush(f) == 0 && ok;
    int savedErrno = ok ? 0 : errno;
    if (ok && sync) {
        if (injectedFault(err)) {
            ok = false;
            savedErrno = err;
        } else {
#ifndef _WIN32
            ok = ::fsync(::fileno(f)) == 0;
#else
            ok = ::_commit(::_fileno(f)) == 0;
#endif
            if (!ok) savedErrno = errno;
        }
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    return ok ? std::string() : std::string(std::strerror(savedErrno ? savedErrno : EIO));
}

void renameCounted(const fs::path& from, const fs::path& to, std::error_code& ec) {
    int err = 0;
    if (injectedFault(err)) {
        ec.assign(err, std::generic_category());
        return;
    }
    fs::rename(from, to, ec);
}

#ifndef _WIN32
// Flushes a file written earlier (by this program or another) to stable storage; counted as one
// write for the test hook. Returns an empty string or why it failed.
std::string flushToDisk(const fs::path& file) {
    int err = 0;
    if (injectedFault(err)) return std::strerror(err);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    const bool ok = ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    return ok ? std::string() : std::strerror(savedErrno);
}
#endif

void removeCounted(const fs::path& file, std::error_code& ec) {
    int err = 0;
    if (injectedFault(err)) {
        ec.assign(err, std::generic_category());
        return;
    }
    fs::remove(file, ec);
}

// A file marked read-only is left alone, as Windows would, even though a rename could replace
// it here (and even for root).
bool isReadOnlyFile(const fs::path& file) {
    std::error_code ec;
    const auto existing = fs::status(file, ec);
    return !ec && fs::is_regular_file(existing) &&
           (existing.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Writes `content` to a temporary file beside `file` and renames it over `file`.
Status replaceThroughTemporary(const fs::path& file, std::string_view content, bool sync) {
    if (isReadOnlyFile(file)) return cannotWrite(file, "the file is read-only");
    fs::path temporary = file;
    temporary += ".tmp";
    if (auto why = writeContent(temporary, content, "wb", sync); !why.empty()) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return cannotWrite(file, why);
    }
    std::error_code ec;
    renameCounted(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return cannotWrite(file, ec.message());
    }
    return {};
}

} // namespace

Status readWholeFile(const fs::path& file, std::string& content) {
    std::error_code ec;
    const auto status = fs::status(file, ec);
    if (ec || !fs::exists(status)) return Status::failure("File not found: " + file.string());
    if (fs::is_directory(status)) return Status::failure(file.string() + " is a folder, not a file");
    const auto size = fs::file_size(file, ec);
    if (ec) return Status::failure("Cannot read " + file.string() + ": " + ec.message());
    if (size > kMaxReadableFileBytes)
        return Status::failure(file.string() + " is too large to read (" + std::to_string(size) + " bytes)");
    std::ifstream in(file, std::ios::binary);
    if (!in) return Status::failure("Cannot open " + file.string());
    content.assign(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return {};
}

Status writeFileAtomically(const fs::path& file, std::string_view content) {
    return replaceThroughTemporary(file, content, true);
}

Status writeFile(const fs::path& file, std::string_view content) {
    return replaceThroughTemporary(file, content, false);
}

Status appendToFile(const fs::path& file, std::string_view content) {
    int err = 0;
    if (injectedFault(err)) return cannotWrite(file, std::strerror(err));
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out) return cannotWrite(file, "cannot open the file");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return cannotWrite(file, "write failed");
    return {};
}

Status copyFileAtomically(const fs::path& from, const fs::path& to) {
    std::string content;
    if (auto st = readWholeFile(from, content); !st) return st;
    return writeFileAtomically(to, content);
}

Status moveFileAtomically(const fs::path& from, const fs::path& to) {
#ifndef _WIN32
    // On one disk the file is renamed, not copied: flushed to disk first, so that it is whole
    // there before its old name goes, then stamped with the time of the move. Across disks it is
    // copied as below.
    if (isReadOnlyFile(to)) return cannotWrite(to, "the file is read-only");
    if (auto why = flushToDisk(from); !why.empty()) return cannotWrite(to, why);
    std::error_code moved;
    renameCounted(from, to, moved);
    if (!moved) {
        std::error_code ignored;
        fs::last_write_time(to, fs::file_time_type::clock::now(), ignored);
        return {};
    }
    if (moved != std::errc::cross_device_link) return cannotWrite(to, moved.message());
#endif
    if (auto st = copyFileAtomically(from, to); !st) return st;
    std::error_code ec;
    removeCounted(from, ec);
    if (ec)
        return Status::failure("Cannot remove " + from.string() + " (it is kept as " + to.string() +
                               "): " + ec.message());
    return {};
}

Status replaceWithTemporary(const fs::path& temporary, const fs::path& file) {
    std::error_code ignored;
    if (isReadOnlyFile(file)) {
        fs::remove(temporary, ignored);
        return cannotWrite(file, "the file is read-only");
    }
    // Opened for appending only to reach the file's descriptor: nothing is added. This counts as
    // the write of the content for the test hook, which cannot reach into the other writer.
    if (auto why = writeContent(temporary, {}, "ab", true); !why.empty()) {
        fs::remove(temporary, ignored);
        return cannotWrite(file, why);
    }
    std::error_code ec;
    renameCounted(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ignored);
        return cannotWrite(file, ec.message());
    }
    return {};
}

} // namespace trakmora

namespace trakmora::test_faults {

void failWriteNumber(int n, int err) {
    faults.seen = 0;
    faults.failAt = n;
    faults.err = err;
    faults.happened = false;
}

void reset() {
    failWriteNumber(0, 0);
}

int writesSeen() {
    return faults.seen;
}

bool failureHappened() {
    return faults.happened;
}

bool armFromSetting(std::string_view setting) {
    const auto colon = setting.find(':');
    const std::string number(setting.substr(0, colon));
    const std::string name(colon == std::string_view::npos ? "EIO" : setting.substr(colon + 1));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 9)
        return false;
    static const std::pair<const char*, int> names[] = {
        {"ENOSPC", ENOSPC}, {"EIO", EIO}, {"EACCES", EACCES}, {"EROFS", EROFS}, {"EPERM", EPERM}};
    int err = 0;
    for (const auto& [text, value] : names)
        if (name == text) err = value;
    if (err == 0 && !name.empty() && name.find_first_not_of("0123456789") == std::string::npos &&
        name.size() < 5)
        err = std::stoi(name);
    if (err == 0) return false;
    failWriteNumber(std::stoi(number), err);
    return true;
}

} // namespace trakmora::test_faults
