#pragma once
// A rally "Spring" in a temporary data root for the group scoring tests, with functions to compare
// files against golden copies.
#include "common/Csv.h"
#include "common/Format.h"
#include "support/RallyFixture.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace trakmora::test {

class ResultsRally : public TestRally {
public:
    explicit ResultsRally(int noOfDays = 2) : TestRally("Spring Run", "Spring", noOfDays) {}
};

// Compares line by line and names the first differing line.
inline void expectSameText(const std::string& expected, const std::string& actual, const std::string& what) {
    std::istringstream e(expected), a(actual);
    std::string el, al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA) return;
        if (!moreE || !moreA || el != al) {
            ADD_FAILURE() << what << " line " << line << ":\n  expected: " << (moreE ? el : "<end>")
                          << "\n  actual:   " << (moreA ? al : "<end>");
            return;
        }
    }
}

inline void expectSameFile(const std::filesystem::path& expected, const std::filesystem::path& actual) {
    ASSERT_TRUE(std::filesystem::exists(actual)) << actual;
    expectSameText(readFile(expected), readFile(actual), actual.filename().string());
}

} // namespace trakmora::test
