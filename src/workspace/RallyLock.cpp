#include "workspace/RallyLock.h"

#include "common/FileIo.h"

#include <fmt/format.h>

#include <cstdio>
#include <ctime>
#include <random>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace trakmora {

namespace {

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string newToken() {
    std::random_device device;
    std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                              static_cast<std::uint64_t>(std::time(nullptr)));
    return fmt::format("{:016x}", generator());
}

enum class Creation { Created, Exists, Failed };

// Puts `content` into `lock` only when no lock file is there: the content is written complete
// to a file of its own, then hard-linked to the lock's name, which fails when the name exists,
// so of two writers racing only one wins and a reader never sees half a lock.
Creation createExclusively(const fs::path& lock, const std::string& content, const std::string& token,
                           Status& failure) {
    const fs::path own = lock.parent_path() / (lock.filename().string() + "." + token);
    if (Status st = writeFileAtomically(own, content); !st) {
        failure = st;
        return Creation::Failed;
    }
    std::error_code ec;
    fs::create_hard_link(own, lock, ec);
    Creation result = Creation::Created;
    if (ec) {
        std::error_code existsEc;
        if (fs::exists(lock, existsEc)) {
            result = Creation::Exists;
        } else if (std::FILE* f = std::fopen(lock.string().c_str(), "wx")) {
            // No hard links on this file system (a FAT stick): the exclusive creation decides, and
            // the complete content replaces the empty file at once.
            std::fclose(f);
            fs::rename(own, lock, ec);
            if (!ec) return Creation::Created;
            fs::remove(lock, existsEc);
            failure = Status::failure("Could not write the lock file " + lock.string() + ": " + ec.message());
            result = Creation::Failed;
        } else {
            result = fs::exists(lock, existsEc) ? Creation::Exists : Creation::Failed;
            if (result == Creation::Failed)
                failure =
                    Status::failure("Could not write the lock file " + lock.string() + ": " + ec.message());
        }
    }
    fs::remove(own, ec);
    return result;
}

std::string inUseMessage(const std::string& shortName, const LockOwner& owner) {
    return "Rally " + shortName + " is in use by " + owner.program + " on " + owner.host + " since " +
           owner.since;
}

} // namespace

fs::path rallyLockFile(const ProgramState& state, const std::string& shortName) {
    return state.paths.rallyFolder(shortName) / "Trakmora.lock";
}

std::string rallyLockText(const LockOwner& owner) {
    return "host=" + owner.host + "\npid=" + std::to_string(owner.pid) + "\nprogram=" + owner.program +
           "\nsince=" + owner.since + "\ntoken=" + owner.token + "\n";
}

bool readRallyLock(const fs::path& file, LockOwner& owner) {
    std::string text;
    if (!readWholeFile(file, text)) return false;
    LockOwner read;
    bool hasPid = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "host")
            read.host = value;
        else if (key == "program")
            read.program = value;
        else if (key == "since")
            read.since = value;
        else if (key == "token")
            read.token = value;
        else if (key == "pid") {
            try {
                std::size_t used = 0;
                read.pid = std::stoll(value, &used);
                hasPid = used == value.size() && read.pid > 0;
            } catch (const std::exception&) {
                hasPid = false;
            }
        }
    }
    if (read.host.empty() || !hasPid || read.program.empty() || read.since.empty()) return false;
    owner = read;
    return true;
}

std::string thisHostName() {
#ifdef _WIN32
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    if (GetComputerNameA(name, &size)) return std::string(name, size);
    return "this computer";
#else
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0 && name[0]) return name;
    return "this computer";
#endif
}

long long thisProcessId() {
#ifdef _WIN32
    return static_cast<long long>(GetCurrentProcessId());
#else
    return static_cast<long long>(getpid());
#endif
}

bool processRuns(long long pid) {
    if (pid <= 0) return false;
#ifdef _WIN32
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (pid > 0x7fffffffLL) return false;
    // EPERM: it runs, under another user.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

RallyLock::RallyLock(RallyLock&& other) noexcept
    : file_(std::move(other.file_)), shortName_(std::move(other.shortName_)),
      content_(std::move(other.content_)) {
    other.file_.clear();
}

RallyLock& RallyLock::operator=(RallyLock&& other) noexcept {
    if (this != &other) {
        release();
        file_ = std::move(other.file_);
        shortName_ = std::move(other.shortName_);
        content_ = std::move(other.content_);
        other.file_.clear();
    }
    return *this;
}

void RallyLock::release() {
    if (file_.empty()) return;
    std::string text;
    // Another writer that forced the lock owns the file now: it stays.
    if (readWholeFile(file_, text) && text == content_) {
        std::error_code ec;
        fs::remove(file_, ec);
    }
    file_.clear();
    shortName_.clear();
    content_.clear();
}

Status takeRallyLock(const ProgramState& state, const std::string& shortName, const std::string& program,
                     RallyLock& held, bool forceUnlock, LockRefusal* refusal) {
    if (refusal) *refusal = LockRefusal::None;
    held.release();
    const fs::path lock = rallyLockFile(state, shortName);
    LockOwner me{thisHostName(), thisProcessId(), program, localTimeNow(), newToken()};
    const std::string content = rallyLockText(me);
    std::string takenOver;
    for (int attempt = 0; attempt < 2; ++attempt) {
        Status failure;
        const Creation made = createExclusively(lock, content, me.token, failure);
        if (made == Creation::Failed) return failure;
        if (made == Creation::Created) {
            held.file_ = lock;
            held.shortName_ = shortName;
            held.content_ = content;
            if (!takenOver.empty()) state.messages->info(takenOver);
            return {};
        }
        std::string seen;
        LockOwner owner;
        const bool readable = readRallyLock(lock, owner);
        if (!readWholeFile(lock, seen)) {
            std::error_code ec;
            if (!fs::exists(lock, ec)) continue; // released meanwhile
        }
        LockRefusal why = LockRefusal::Damaged;
        if (readable) why = owner.host != me.host ? LockRefusal::OtherHost : LockRefusal::LiveHere;
        const bool stale = readable && owner.host == me.host && !processRuns(owner.pid);
        // A second race lost (another writer took the lock just released) is a refusal too.
        if (attempt == 1 || (!stale && !forceUnlock)) {
            if (refusal) *refusal = why;
            if (!readable)
                return Status::failure("Rally " + shortName +
                                       " may be in use by an unknown program: its lock file " +
                                       lock.string() + " cannot be read");
            return Status::failure(inUseMessage(shortName, owner));
        }
        if (stale)
            takenOver = "The lock of rally " + shortName + " left by " + owner.program + " (process " +
                        std::to_string(owner.pid) + ") on this computer was taken over";
        else if (!readable)
            takenOver =
                "The unreadable lock file " + lock.string() + " of rally " + shortName + " was taken over";
        else
            takenOver = "The lock of rally " + shortName + " held by " + owner.program + " on " + owner.host +
                        " since " + owner.since + " was taken over";
        // Removed only when it is still the lock judged here.
        std::string now;
        if (readWholeFile(lock, now) && now == seen) {
            std::error_code ec;
            fs::remove(lock, ec);
        }
    }
    if (refusal) *refusal = LockRefusal::LiveHere;
    return Status::failure("Rally " + shortName + " is in use by another program");
}

Status takeRallyLock(const ProgramState& state, const std::string& program, RallyLock& held, bool forceUnlock,
                     LockRefusal* refusal) {
    return takeRallyLock(state, state.rally.shortName, program, held, forceUnlock, refusal);
}

} // namespace trakmora
