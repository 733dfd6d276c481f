// The framework's timer commands, record list, format names and string helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/FormatNames.h"
#include "framework/FrameworkTimer.h"
#include "framework/FrameworkUtil.h"
#include "framework/RecordList.h"

namespace {

// The timer is process-wide; RESET reads the frozen instant when a stop is pending, so each
// test starts it first.
void RestartTimer()
{
    FrameworkTimer(TIMERCMD_START);
    FrameworkTimer(TIMERCMD_RESET);
}

TEST(FrameworkTimerTest, StoppedTimeStandsStillAndAdvancesByATenth)
{
    RestartTimer();
    FrameworkTimer(TIMERCMD_STOP);
    const float frozen = FrameworkTimer(TIMERCMD_APP_TIME);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_ELAPSED_TIME), 0.0f);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_APP_TIME), frozen);

    // A second STOP must not move the frozen instant to the current clock.
    FrameworkTimer(TIMERCMD_STOP);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_APP_TIME), frozen);

    FrameworkTimer(TIMERCMD_ADVANCE);
    EXPECT_NEAR(FrameworkTimer(TIMERCMD_APP_TIME) - frozen, 0.1f, 1e-4f);
    // The single step shows up once as elapsed time, then time is frozen again.
    EXPECT_NEAR(FrameworkTimer(TIMERCMD_ELAPSED_TIME), 0.1f, 1e-4f);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_ELAPSED_TIME), 0.0f);
}

TEST(FrameworkTimerTest, StartExcludesTheStoppedSpanAndSecondStartChangesNothing)
{
    RestartTimer();
    FrameworkTimer(TIMERCMD_STOP);
    FrameworkTimer(TIMERCMD_ADVANCE);
    FrameworkTimer(TIMERCMD_ADVANCE);
    const float frozen = FrameworkTimer(TIMERCMD_APP_TIME);
    EXPECT_NEAR(frozen, 0.2f, 0.05f);

    FrameworkTimer(TIMERCMD_START);
    const float resumed = FrameworkTimer(TIMERCMD_APP_TIME);
    FrameworkTimer(TIMERCMD_START);
    // Running again, application time continues from the frozen value and never goes back.
    EXPECT_GE(resumed, frozen - 1e-4f);
    EXPECT_GE(FrameworkTimer(TIMERCMD_APP_TIME), resumed);
    EXPECT_GE(FrameworkTimer(TIMERCMD_ELAPSED_TIME), 0.0f);
}

TEST(FrameworkTimerTest, ResetAndUnknownCommands)
{
    FrameworkTimer(TIMERCMD_START);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_RESET), 0.0f);
    EXPECT_EQ(FrameworkTimer(TIMERCMD_STOP), 0.0f);
    // RESET while stopped starts from the frozen instant: application time is 0 exactly.
    EXPECT_EQ(FrameworkTimer(TIMERCMD_RESET), 0.0f);
    FrameworkTimer(TIMERCMD_STOP);
    EXPECT_GE(FrameworkTimer(TIMERCMD_APP_TIME), 0.0f);
    EXPECT_GT(FrameworkTimer(TIMERCMD_ABSOLUTE_TIME), 0.0f);
    EXPECT_EQ(FrameworkTimer(static_cast<TIMER_COMMAND>(7)), -1.0f);
    FrameworkTimer(TIMERCMD_START);
}

TEST(RecordListTest, ValuesAreCopiedAndGrowPastSixteen)
{
    CRecordList list(RECORDLIST_VALUES, sizeof(DWORD));
    for (DWORD i = 0; i < 40; ++i) ASSERT_EQ(list.Add(&i), S_OK);
    ASSERT_EQ(list.Count(), 40u);
    EXPECT_EQ(*static_cast<DWORD*>(list.GetPtr(39)), 39u);
    DWORD probe = 17;
    EXPECT_TRUE(list.Contains(&probe));
    list.Remove(17);
    EXPECT_FALSE(list.Contains(&probe));
    EXPECT_EQ(list.Count(), 39u);
    EXPECT_EQ(*static_cast<DWORD*>(list.GetPtr(17)), 18u);
    EXPECT_EQ(*static_cast<DWORD*>(list.GetPtr(38)), 39u);
    EXPECT_EQ(list.GetPtr(39), nullptr);
}

TEST(RecordListTest, PointersAreStoredByIdentityAndSizeZeroValuesAreRefused)
{
    int a = 1, b = 1;
    CRecordList pointers(RECORDLIST_POINTERS);
    ASSERT_EQ(pointers.Add(&a), S_OK);
    EXPECT_EQ(pointers.GetPtr(0), &a);
    EXPECT_TRUE(pointers.Contains(&a));
    EXPECT_FALSE(pointers.Contains(&b));  // equal value, different object

    CRecordList empty(RECORDLIST_VALUES, 0);
    EXPECT_EQ(empty.Add(&a), E_FAIL);
    EXPECT_EQ(empty.Count(), 0u);
}

TEST(FormatNameTest, NamesWithAndWithoutPrefix)
{
    EXPECT_STREQ(FormatName(D3DFMT_UNKNOWN, true), "D3DFMT_UNKNOWN");
    EXPECT_STREQ(FormatName(D3DFMT_A8R8G8B8, false), "A8R8G8B8");
    EXPECT_STREQ(FormatName(D3DFMT_DXT5, false), "DXT5");
    EXPECT_STREQ(FormatName(D3DFMT_MULTI2_ARGB8, true), "D3DFMT_MULTI2_ARGB8");
    EXPECT_STREQ(FormatName(static_cast<D3DFORMAT>(1234), true), "Unknown format");
    EXPECT_STREQ(FormatName(static_cast<D3DFORMAT>(1234), false), "Unknown format");
}

TEST(CopyStringCchTest, CutsAndTerminatesOrRefuses)
{
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CopyStringCch(buffer, "abcdefgh", 6), S_OK);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(CopyStringCch(buffer, "ab", 6), S_OK);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(CopyStringCch(buffer, "ab", 1), S_OK);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(CopyStringCch(buffer, "ab", 0), E_INVALIDARG);
    EXPECT_EQ(CopyStringCch(nullptr, "ab", 4), E_INVALIDARG);
    EXPECT_EQ(CopyStringCch(buffer, nullptr, 4), E_INVALIDARG);
}

}  // namespace
