// The golden-image comparison itself: what it counts and reports, and that a missing or
// different golden fails rather than passing silently.
#include <filesystem>

#include "lib/nodes/PixelScene.h"
#include "support/GoldenImage.h"

namespace {

using vestra::test::CompareImages;

TEST(GoldenImage, CountsDifferencesAndReportsTheFirstInRowOrder)
{
    const std::vector<DWORD> expected = {1, 2, 3, 4, 5, 6};
    std::vector<DWORD> actual = expected;
    EXPECT_EQ(CompareImages(expected, actual, 3).count, 0u);
    actual[5] = 60;
    actual[4] = 50;
    const vestra::test::ImageDifference difference = CompareImages(expected, actual, 3);
    EXPECT_EQ(difference.count, 2u);
    EXPECT_EQ(difference.firstX, 1u);
    EXPECT_EQ(difference.firstY, 1u);
    EXPECT_EQ(difference.expected, 5u);
    EXPECT_EQ(difference.actual, 50u);
    EXPECT_EQ(CompareImages(expected, {1, 2, 3}, 3).count, 6u) << "a size mismatch counts every pixel";

    const std::vector<DWORD> diff = vestra::test::DiffImage(expected, actual);
    EXPECT_EQ(diff[4], 0xFFFF0000u);
    EXPECT_EQ(diff[0], 0xFF000000u) << "equal pixels are the golden at a quarter brightness";
}

class GoldenFileTest : public nodes_test::PixelSceneTest {};

TEST_F(GoldenFileTest, MissingOrDifferentGoldenFails)
{
    if (vestra::test::UpdateGoldenRequested()) {
        GTEST_SKIP() << "the check is rewriting goldens";
    }
    Draw();
    EXPECT_FALSE(vestra::test::BackBufferMatchesGolden(device.get(), "no_such_golden"));
    // A golden of the right size but another picture: the clear colour differs everywhere.
    const ::testing::AssertionResult result =
        vestra::test::BackBufferMatchesGolden(device.get(), "scene_skybox_windows");
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("first at (0, 0)"), std::string::npos) << result.message();
    const std::string written = vestra::test::GoldenOutputDir() + "/scene_skybox_windows";
    EXPECT_TRUE(std::filesystem::remove(written + ".actual.png")) << "the actual image is written";
    EXPECT_TRUE(std::filesystem::remove(written + ".diff.png")) << "and so is the diff";
}

} // namespace
