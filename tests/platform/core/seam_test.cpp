#include <gtest/gtest.h>

#include "platform/core/seam.h"

namespace {

using platform::ScopedReplacement;
using platform::Seam;

int own(int x) { return x + 1; }

TEST(Seam, ReplaceGivesBackWhatItReplacedAndNothingPutsTheOwnBehaviourBack) {
    Seam<int(int)> seam(own);
    const auto replaced = seam.Replace([](int x) { return 2 * x; });
    EXPECT_EQ(seam(5), 10);
    EXPECT_EQ(replaced(5), 6);
    const auto doubling = seam.Replace({});
    EXPECT_EQ(seam(5), 6);
    EXPECT_EQ(doubling(5), 10);
}

// Nested the way a test's recorder sits inside the suite's: each end restores the one before.
TEST(Seam, AScopedReplacementPutsBackWhatItReplaced) {
    Seam<int(int)> seam(own);
    {
        const ScopedReplacement outer{seam, [](int x) { return 2 * x; }};
        {
            const ScopedReplacement inner{seam, [](int x) { return 3 * x; }};
            EXPECT_EQ(seam(5), 15);
        }
        EXPECT_EQ(seam(5), 10);
        seam.Replace([](int x) { return 4 * x; });  // replaced again inside the scope
    }
    EXPECT_EQ(seam(5), 6);
}

}  // namespace
