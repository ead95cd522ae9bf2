#pragma once
// A GoogleTest fixture over a rally in a fresh temporary data root.
#include "support/RallyFixture.h"

#include <gtest/gtest.h>

namespace trakmora::test {

class RallyTest : public ::testing::Test, public TestRally {
protected:
    RallyTest(const std::string& longName, const std::string& shortName, int days = 0)
        : TestRally(longName, shortName, days) {}
};

} // namespace trakmora::test
