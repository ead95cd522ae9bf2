// Inputs that once crashed a reader, or that stand for a kind of damage worth keeping, replayed
// through the same checks the fuzzers run: tests/regressions/<target>/<input>.
#include "FuzzTargets.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

TEST(Regressions, KeptInputsReadOrReportWithoutCrashing) {
    const fs::path root = fs::path(TRAKMORA_TEST_DATA).parent_path() / "regressions";
    int replayed = 0;
    for (const auto& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const fuzz::Target* target = fuzz::findTarget(folder.path().filename().string());
        ASSERT_NE(target, nullptr) << "no fuzz target named " << folder.path().filename();
        for (const auto& input : fs::directory_iterator(folder.path())) {
            const std::string bytes = test::readFile(input.path());
            target->run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

} // namespace
} // namespace trakmora
