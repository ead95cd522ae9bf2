#pragma once
// One writer per rally: a lock file in the rally folder names the program that writes the rally
// (the desktop program or a command of trakmora-cli, on this or another computer). It is a plain
// file, not a lock of the operating system, so that it also holds on a shared network folder.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>
#include <string>

namespace trakmora {

// The lock file of a rally.
std::filesystem::path rallyLockFile(const ProgramState& state, const std::string& shortName);

// Who holds a lock, as written in its file.
struct LockOwner {
    std::string host;
    long long pid = 0;
    std::string program; // "trakmora" or "trakmora-cli"
    std::string since;   // "YYYY-MM-DD hh:mm:ss", local time of the writer
    std::string token;   // unique to one taking
};

// Why a lock could not be taken.
enum class LockRefusal {
    None,
    LiveHere,  // a process on this computer that still runs
    OtherHost, // another computer: it may still run there
    Damaged,   // a file that cannot be read: an unknown writer
};

// A held lock; releasing removes the file only while it is still this taking's (another writer
// may have forced it meanwhile). Released when destroyed.
class RallyLock {
public:
    RallyLock() = default;
    ~RallyLock() { release(); }
    RallyLock(const RallyLock&) = delete;
    RallyLock& operator=(const RallyLock&) = delete;
    RallyLock(RallyLock&& other) noexcept;
    RallyLock& operator=(RallyLock&& other) noexcept;

    bool held() const { return !file_.empty(); }
    const std::filesystem::path& file() const { return file_; }
    const std::string& shortName() const { return shortName_; }
    void release();

private:
    friend Status takeRallyLock(const ProgramState&, const std::string&, const std::string&, RallyLock&, bool,
                                LockRefusal*);
    std::filesystem::path file_;
    std::string shortName_;
    std::string content_;
};

// Takes the lock of rally `shortName` for `program`, releasing whatever `held` held before. A
// lock left by a process that no longer runs on this computer is taken over with a message. A
// lock of a live process, of another computer or a damaged lock file refuses ("Rally <short> is
// in use by <program> on <host> since <time>"), and nothing changes; `forceUnlock` takes it all
// the same, with a message. `refusal` tells why a taking failed.
Status takeRallyLock(const ProgramState& state, const std::string& shortName, const std::string& program,
                     RallyLock& held, bool forceUnlock, LockRefusal* refusal = nullptr);
// The same for the open rally.
Status takeRallyLock(const ProgramState& state, const std::string& program, RallyLock& held, bool forceUnlock,
                     LockRefusal* refusal = nullptr);

// Reads a lock file; false when it is missing or cannot be read.
bool readRallyLock(const std::filesystem::path& file, LockOwner& owner);
// The lock file's text for `owner`.
std::string rallyLockText(const LockOwner& owner);

// This computer's name and this process's id.
std::string thisHostName();
long long thisProcessId();
// Whether a process with this id runs on this computer.
bool processRuns(long long pid);

} // namespace trakmora
