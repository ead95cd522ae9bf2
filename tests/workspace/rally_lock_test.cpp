#include "support/RallyFixture.h"
#include "workspace/RallyLock.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

struct LockedRally : test::TestRally {
    LockedRally() : TestRally("Spring Run", "Spring"), lockFile(rallyLockFile(state, "Spring")) {}
    fs::path lockFile;
};

TEST(RallyLock, SecondWriterIsRefusedUntilTheFirstReleases) {
    LockedRally r;
    RallyLock first;
    ASSERT_TRUE(takeRallyLock(r.state, "trakmora-cli", first, false));
    ASSERT_TRUE(first.held());
    LockOwner owner;
    ASSERT_TRUE(readRallyLock(r.lockFile, owner));
    EXPECT_EQ(owner.host, thisHostName());
    EXPECT_EQ(owner.pid, thisProcessId());
    EXPECT_EQ(owner.program, "trakmora-cli");
    EXPECT_EQ(owner.since.size(), 19u) << owner.since; // YYYY-MM-DD hh:mm:ss
    const std::string before = readFile(r.lockFile);

    RallyLock second;
    LockRefusal why = LockRefusal::None;
    const Status st = takeRallyLock(r.state, "Spring", "trakmora", second, false, &why);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(),
              "Rally Spring is in use by trakmora-cli on " + thisHostName() + " since " + owner.since);
    EXPECT_EQ(why, LockRefusal::LiveHere);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(readFile(r.lockFile), before);
    EXPECT_TRUE(r.messages.texts.empty());

    first.release();
    EXPECT_FALSE(fs::exists(r.lockFile));
    ASSERT_TRUE(takeRallyLock(r.state, "Spring", "trakmora", second, false));
    {
        RallyLock moved = std::move(second);
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(fs::exists(r.lockFile));
    } // the holder releases when it ends
    EXPECT_FALSE(fs::exists(r.lockFile));
    // No temporary file is left beside the lock.
    for (const auto& entry : fs::directory_iterator(r.root / "Spring"))
        EXPECT_TRUE(entry.is_directory()) << entry.path();
}

TEST(RallyLock, ReleaseLeavesALockAnotherWriterForced) {
    LockedRally r;
    RallyLock mine;
    ASSERT_TRUE(takeRallyLock(r.state, "Spring", "trakmora", mine, false));
    const std::string theirs =
        "host=results-laptop\npid=4242\nprogram=trakmora-cli\nsince=2026-12-08 17:30:00\n"
        "token=0123\n";
    writeText(r.lockFile, theirs);
    mine.release();
    EXPECT_EQ(readFile(r.lockFile), theirs);
}

TEST(RallyLock, LocksLeftByOthers) {
    const std::string here = thisHostName();
    const std::string deadHere =
        "host=" + here + "\npid=999999999\nprogram=trakmora\nsince=2026-12-08 09:15:00\ntoken=aa\n";
    const std::string liveHere = "host=" + here + "\npid=" + std::to_string(thisProcessId()) +
                                 "\nprogram=trakmora\nsince=2026-12-08 09:15:00\ntoken=bb\n";
    const std::string otherHost =
        "host=results-laptop\npid=4242\nprogram=trakmora-cli\nsince=2026-12-08 17:30:00\ntoken=cc\n";
    struct Case {
        const char* name;
        std::string content;
        bool force;
        bool taken;
        LockRefusal why;
        std::string message; // the refusal, or the message of a taking over; "" for none
    };
    const Case cases[] = {
        {"dead process here", deadHere, false, true, LockRefusal::None,
         "The lock of rally Spring left by trakmora (process 999999999) on this computer was taken over"},
        {"live process here", liveHere, false, false, LockRefusal::LiveHere,
         "Rally Spring is in use by trakmora on " + here + " since 2026-12-08 09:15:00"},
        {"live process here, forced", liveHere, true, true, LockRefusal::None,
         "The lock of rally Spring held by trakmora on " + here +
             " since 2026-12-08 09:15:00 was taken over"},
        {"other computer", otherHost, false, false, LockRefusal::OtherHost,
         "Rally Spring is in use by trakmora-cli on results-laptop since 2026-12-08 17:30:00"},
        {"other computer, forced", otherHost, true, true, LockRefusal::None,
         "The lock of rally Spring held by trakmora-cli on results-laptop since 2026-12-08 17:30:00 was "
         "taken over"},
        {"damaged", "\x01\x02garbage", false, false, LockRefusal::Damaged, "its lock file "},
        {"empty", "", false, false, LockRefusal::Damaged, "cannot be read"},
        {"no process id", "host=x\npid=abc\nprogram=trakmora\nsince=2026-12-08 17:30:00\n", false, false,
         LockRefusal::Damaged, "may be in use by an unknown program"},
        {"damaged, forced", "garbage", true, true, LockRefusal::None, "The unreadable lock file "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LockedRally r;
        writeText(r.lockFile, c.content);
        RallyLock lock;
        LockRefusal why = LockRefusal::LiveHere;
        const Status st = takeRallyLock(r.state, "Spring", "trakmora-cli", lock, c.force, &why);
        EXPECT_EQ(bool(st), c.taken) << st.message();
        EXPECT_EQ(lock.held(), c.taken);
        EXPECT_EQ(why, c.why);
        if (c.taken) {
            LockOwner owner;
            ASSERT_TRUE(readRallyLock(r.lockFile, owner));
            EXPECT_EQ(owner.pid, thisProcessId());
            EXPECT_EQ(owner.program, "trakmora-cli");
            ASSERT_EQ(r.messages.texts.size(), 1u);
            EXPECT_NE(r.messages.texts[0].find(c.message), std::string::npos) << r.messages.texts[0];
        } else {
            EXPECT_EQ(readFile(r.lockFile), c.content);
            EXPECT_TRUE(r.messages.texts.empty());
            EXPECT_NE(st.message().find(c.message), std::string::npos) << st.message();
            if (c.why == LockRefusal::Damaged) {
                EXPECT_NE(st.message().find(r.lockFile.string()), std::string::npos);
            }
        }
    }
}

TEST(RallyLock, TakingAnotherRallyReleasesTheFirst) {
    LockedRally r;
    ASSERT_TRUE(createRally(r.state, "Autumn Run", "Autumn"));
    RallyLock lock;
    ASSERT_TRUE(takeRallyLock(r.state, "Spring", "trakmora", lock, false));
    ASSERT_TRUE(takeRallyLock(r.state, "Autumn", "trakmora", lock, false));
    EXPECT_FALSE(fs::exists(r.lockFile));
    EXPECT_TRUE(fs::exists(rallyLockFile(r.state, "Autumn")));
    EXPECT_EQ(lock.shortName(), "Autumn");
}

} // namespace
} // namespace trakmora
