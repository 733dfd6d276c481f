#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

namespace {

std::vector<int> Draw(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(VestraCrtRand());
    }
    return values;
}

TEST(CrtRand, FollowsTheWindowsSequence) {
    VestraCrtSrand(1);
    EXPECT_EQ(Draw(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    VestraCrtSrand(42);
    EXPECT_EQ(Draw(5), (std::vector<int>{175, 400, 17869, 30056, 16083}));
    VestraCrtSrand(0);
    EXPECT_EQ(Draw(2), (std::vector<int>{38, 7719}));
}

TEST(CrtRand, EachThreadStartsFromSeedOneAndKeepsItsOwnState) {
    VestraCrtSrand(42);
    VestraCrtRand();
    std::vector<int> other;
    std::thread([&] { other = Draw(3); }).join();
    EXPECT_EQ(other, (std::vector<int>{41, 18467, 6334}));
    EXPECT_EQ(VestraCrtRand(), 400);  // this thread's sequence went on undisturbed
}

}  // namespace
