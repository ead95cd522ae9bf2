// The program's operator new for large blocks: blocks of every size around the threshold from two
// threads at once, each holding its own bytes while others are freed and their pages given out
// again, and more of them alive than are kept apart.
#include "common/LargeBlocks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace trakmora {
namespace {

using Block = std::unique_ptr<unsigned char[]>;

struct Held {
    Block block;
    std::size_t size = 0;
    unsigned char mark = 0;
};

// Marks the first, middle and last byte of every 4 KB page, which is all a page costs.
void mark(Held& h) {
    for (std::size_t at = 0; at < h.size; at += 4096)
        h.block[at] = h.mark;
    h.block[h.size / 2] = h.mark;
    h.block[h.size - 1] = h.mark;
}

bool intact(const Held& h) {
    for (std::size_t at = 0; at < h.size; at += 4096)
        if (h.block[at] != h.mark) return false;
    return h.block[h.size / 2] == h.mark && h.block[h.size - 1] == h.mark;
}

TEST(LargeBlocks, EveryBlockKeepsItsBytesWhileOthersComeAndGo) {
    const bool builtIn = [] {
        const Block probe(new unsigned char[kLargeBlockBytes]);
        return isLargeBlock(probe.get());
    }();
    const std::size_t sizes[] = {1,
                                 4096,
                                 kLargeBlockBytes - 1,
                                 kLargeBlockBytes,
                                 kLargeBlockBytes + 1,
                                 (std::size_t{2} << 20) - 64,
                                 (std::size_t{2} << 20) - 63,
                                 std::size_t{5} << 20};
    const auto work = [&](unsigned char seed, std::size_t rounds, std::vector<bool>& ok) {
        std::vector<Held> held;
        for (std::size_t k = 0; k < rounds; ++k) {
            const std::size_t size = sizes[k % std::size(sizes)];
            Held h{Block(new unsigned char[size]), size, static_cast<unsigned char>(seed + k)};
            ok.push_back(!isLargeBlock(h.block.get()) || size >= kLargeBlockBytes);
            mark(h);
            held.push_back(std::move(h));
            // Every third round frees one from the middle: its pages are given out again.
            if (k % 3 == 2) {
                ok.push_back(intact(held[held.size() / 2]));
                held.erase(held.begin() + static_cast<std::ptrdiff_t>(held.size() / 2));
            }
        }
        for (const Held& h : held)
            ok.push_back(intact(h));
    };
    std::vector<bool> first, second;
    std::thread other([&] { work(100, 120, second); });
    work(1, 120, first);
    other.join();
    for (const auto* results : {&first, &second})
        for (std::size_t k = 0; k < results->size(); ++k)
            ASSERT_TRUE((*results)[k]) << k;
    // More large blocks alive at once than are kept apart: the rest come from malloc.
    int large = 0;
    {
        std::vector<Block> many;
        for (int k = 0; k < 300; ++k) {
            many.emplace_back(new unsigned char[kLargeBlockBytes]);
            large += isLargeBlock(many.back().get());
        }
    }
    EXPECT_EQ(large, builtIn ? 256 : 0);
    const Block small(new unsigned char[64]);
    EXPECT_FALSE(isLargeBlock(small.get()));
    EXPECT_FALSE(isLargeBlock(nullptr));
}

} // namespace
} // namespace trakmora
