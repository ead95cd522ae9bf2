#include "common/InOrder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace trakmora {
namespace {

TEST(InOrder, EveryItemIsWorkedOnceAndFollowedInOrder) {
    for (const auto& [count, workers] :
         std::vector<std::pair<std::size_t, unsigned>>{{0, 4}, {1, 4}, {7, 1}, {50, 2}, {50, 8}, {3, 16}}) {
        std::vector<std::atomic<int>> worked(count);
        std::vector<std::size_t> followed;
        const std::thread::id caller = std::this_thread::get_id();
        bool thenOnCaller = true;
        forEachInOrder(
            count, workers,
            [&](std::size_t i) {
                // Every third item takes longer, so later items often finish first.
                volatile double spin = 0;
                for (int k = 0; k < (i % 3 == 0 ? 200000 : 10); ++k)
                    spin = spin + k;
                ++worked[i];
            },
            [&](std::size_t i) {
                EXPECT_EQ(worked[i], 1) << "then(" << i << ") before its work was done";
                thenOnCaller = thenOnCaller && std::this_thread::get_id() == caller;
                followed.push_back(i);
            });
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(worked[i], 1) << count << " items, " << workers << " workers, item " << i;
        std::vector<std::size_t> expected(count);
        for (std::size_t i = 0; i < count; ++i)
            expected[i] = i;
        EXPECT_EQ(followed, expected) << count << " items, " << workers << " workers";
        EXPECT_TRUE(thenOnCaller);
    }
}

TEST(InOrder, AFailedItemStopsTheFollowingAfterTheItemsBeforeIt) {
    for (const unsigned workers : {1u, 3u}) {
        std::vector<std::size_t> followed;
        EXPECT_THROW(forEachInOrder(
                         20, workers,
                         [](std::size_t i) {
                             if (i == 5) throw std::runtime_error("item 5");
                         },
                         [&](std::size_t i) { followed.push_back(i); }),
                     std::runtime_error);
        EXPECT_EQ(followed, (std::vector<std::size_t>{0, 1, 2, 3, 4})) << workers << " workers";
    }
}

} // namespace
} // namespace trakmora
