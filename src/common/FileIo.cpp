#include "common/FileIo.h"

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

Status cannotWrite(const fs::path& file, const std::string& why) {
    return Status::failure("Cannot write " + file.string() + ": " + why);
}

// Writes and flushes to stable storage. Returns an empty string on success, else the reason.
std::string writeAndSync(const fs::path& file, std::string_view content, const char* mode) {
    std::FILE* f = std::fopen(file.string().c_str(), mode);
    if (!f) return std::strerror(errno);
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = std::fflush(f) == 0 && ok;
#ifndef _WIN32
    ok = ::fsync(::fileno(f)) == 0 && ok;
#else
    ok = ::_commit(::_fileno(f)) == 0 && ok;
#endif
    const int savedErrno = errno;
    ok = std::fclose(f) == 0 && ok;
    return ok ? std::string() : std::string(std::strerror(savedErrno ? savedErrno : EIO));
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
        return Status::failure(file.string() + " is too large to read (" + std::to_string(size) +
                               " bytes)");
    std::ifstream in(file, std::ios::binary);
    if (!in) return Status::failure("Cannot open " + file.string());
    content.assign(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return {};
}

Status writeFileAtomically(const fs::path& file, std::string_view content) {
    fs::path temporary = file;
    temporary += ".tmp";
    if (auto why = writeAndSync(temporary, content, "wb"); !why.empty()) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return cannotWrite(file, why);
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return cannotWrite(file, ec.message());
    }
    return {};
}

Status writeFile(const fs::path& file, std::string_view content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return cannotWrite(file, "cannot create the file");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return cannotWrite(file, "write failed");
    return {};
}

Status appendToFile(const fs::path& file, std::string_view content) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out) return cannotWrite(file, "cannot open the file");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return cannotWrite(file, "write failed");
    return {};
}

} // namespace trakmora
