#include <gtest/gtest.h>
#include <windows.h>

namespace {

bool Is(const RECT& actual, LONG l, LONG t, LONG r, LONG b) {
    const RECT expected{l, t, r, b};
    return EqualRect(&actual, &expected) != FALSE;
}

TEST(Rect, EmptinessAndContainmentExcludeRightAndBottomEdges) {
    const RECT r{10, 20, 30, 40};
    EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
    EXPECT_TRUE(PtInRect(&r, POINT{29, 39}));
    EXPECT_FALSE(PtInRect(&r, POINT{30, 39}));
    EXPECT_FALSE(PtInRect(&r, POINT{29, 40}));

    const RECT zeroWidth{5, 5, 5, 9};
    const RECT inverted{9, 9, 5, 5};
    EXPECT_FALSE(IsRectEmpty(&r));
    EXPECT_TRUE(IsRectEmpty(&zeroWidth));
    EXPECT_TRUE(IsRectEmpty(&inverted));
    EXPECT_TRUE(IsRectEmpty(NULL));
}

TEST(Rect, IntersectionOfOverlappingTouchingAndAliasedRectangles) {
    const RECT a{0, 0, 10, 10};
    const RECT b{5, -5, 20, 7};
    RECT out{};
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(Is(out, 5, 0, 10, 7));

    // Touching edges share no pixel; the result is emptied to all zeros.
    const RECT touching{10, 0, 20, 10};
    out = RECT{1, 2, 3, 4};
    EXPECT_FALSE(IntersectRect(&out, &a, &touching));
    EXPECT_TRUE(Is(out, 0, 0, 0, 0));

    RECT c = a;
    EXPECT_TRUE(IntersectRect(&c, &c, &b));
    EXPECT_TRUE(Is(c, 5, 0, 10, 7));
}

TEST(Rect, UnionIgnoresEmptyRectanglesWhereverTheyLie) {
    const RECT a{0, 0, 10, 10};
    const RECT farEmpty{100, 100, 100, 200};
    RECT out{};
    EXPECT_TRUE(UnionRect(&out, &farEmpty, &a));
    EXPECT_TRUE(Is(out, 0, 0, 10, 10));

    const RECT b{-5, 5, 3, 30};
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_TRUE(Is(out, -5, 0, 10, 30));
    EXPECT_FALSE(UnionRect(&out, &farEmpty, &farEmpty));
    EXPECT_TRUE(Is(out, 0, 0, 0, 0));
}

TEST(Rect, OffsetAndInflateMoveOppositeEdgesApart) {
    RECT r{1, 2, 3, 4};
    ASSERT_TRUE(OffsetRect(&r, 10, -2));
    EXPECT_TRUE(Is(r, 11, 0, 13, 2));
    ASSERT_TRUE(InflateRect(&r, 1, -1));
    EXPECT_TRUE(Is(r, 10, 1, 14, 1));
    EXPECT_FALSE(OffsetRect(NULL, 1, 1));
    EXPECT_FALSE(CopyRect(&r, NULL));
}

}  // namespace
