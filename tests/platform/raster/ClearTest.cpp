// Clear: which part of each cell it writes, the clipped area, and the shared workers.
#include <gtest/gtest.h>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

TEST(Clear, WritesOnlyTheRequestedPartsInsideTheArea) {
    Canvas c(6, 4);
    c.Fill(0x11223344);
    c.FillDepth(0xABCDEF5A);  // depth 0xABCDEF, stencil 0x5A
    const RECT area{-3, 1, 4, 99};  // clipped to columns 0..3, rows 1..3
    Clear(c.state.target, c.state.depth, area, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x80FF0000, 0.5f, 0x77);
    EXPECT_EQ(c.At(0, 1), 0x80FF0000u);
    EXPECT_EQ(c.At(3, 3), 0x80FF0000u);
    EXPECT_EQ(c.At(4, 1), 0x11223344u);  // right of the area
    EXPECT_EQ(c.At(0, 0), 0x11223344u);  // above it
    // 0.5 * 16777215 + 0.5 rounds to 0x800000; the stencil byte is kept.
    EXPECT_EQ(c.DepthAt(2, 2), 0x8000005Au);
    EXPECT_EQ(c.DepthAt(5, 2), 0xABCDEF5Au);

    const RECT all{0, 0, 6, 4};
    Clear(c.state.target, c.state.depth, all, D3DCLEAR_STENCIL, 0, 0.0f, 0x1FF);  // stencil alone, 8 bits of it
    EXPECT_EQ(c.DepthAt(2, 2), 0x800000FFu);
    EXPECT_EQ(c.DepthAt(5, 0), 0xABCDEFFFu);
    Clear(c.state.target, c.state.depth, all, D3DCLEAR_ZBUFFER, 0, 7.0f, 0);  // z clamped to 1
    EXPECT_EQ(c.DepthAt(0, 0), 0xFFFFFFFFu);

    c.state.target.format = D3DFMT_X8R8G8B8;
    Clear(c.state.target, c.state.depth, all, D3DCLEAR_TARGET, 0x00010203, 0.0f, 0);
    EXPECT_EQ(c.At(5, 3), 0xFF010203u);  // the X byte is written 0xFF

    Canvas d16(4, 2, D3DFMT_D16);
    Clear(d16.state.target, d16.state.depth, all, D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0, 0.25f, 0x12);
    EXPECT_EQ(d16.Depth16At(3, 1), 16384u);  // 0.25 * 65535 + 0.5; no stencil to write
}

TEST(Clear, LargeAreasAreSharedWithoutChangingTheResult) {
    const RECT area{5, 3, 300, 290};
    auto clear = [&](UINT threads) {
        SetThreadCount(threads);
        Canvas c(320, 300);
        c.FillDepth(0x00000033);
        Clear(c.state.target, c.state.depth, area, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x40302010, 0.75f, 0);
        std::vector<DWORD> depth;
        for (UINT y = 0; y < 300; y += 7)
            for (UINT x = 0; x < 320; ++x) depth.push_back(c.DepthAt(x, y));
        return std::make_pair(c.Pixels(), depth);
    };
    const auto one = clear(1);
    EXPECT_EQ(clear(2), one);
    EXPECT_EQ(one.first[3 * 320 + 5], 0x40302010u);
    EXPECT_EQ(one.first[290 * 320 + 5], 0u);  // the row below the area
    SetThreadCount(0);
}

// A clear waiting in a draw queue runs band by band at the flush, before the queued draws
// and also over rows no primitive reaches: the picture and depth are those of clearing
// first and drawing after, for any thread count. A draw queued before a clear is drawn
// under it.
TEST(Clear, QueuedClearGoesBeforeTheDrawsInEveryBand) {
    const RECT area{4, 2, 250, 230};
    const std::vector<ScreenVertex> quad = {
        {10, 40, 0.5f, 1, 0xFF00FF00}, {200, 40, 0.5f, 1, 0xFF00FF00}, {10, 90, 0.5f, 1, 0xFF00FF00},
        {200, 90, 0.5f, 1, 0xFF00FF00}};
    const DrawCall call{D3DPT_TRIANGLESTRIP, 2, quad.data(), 4, sizeof(ScreenVertex), kScreenFvf};
    Canvas expected(256, 240);
    expected.FillDepth(0xFFFFFF00);
    Clear(expected.state.target, expected.state.depth, area, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF302010, 0.75f, 0);
    expected.Draw(D3DPT_TRIANGLESTRIP, 2, quad, kScreenFvf);
    for (UINT threads : {1u, 2u, 3u}) {
        SetThreadCount(threads);
        Canvas c(256, 240);
        c.FillDepth(0xFFFFFF00);
        DrawQueue queue;
        queue.Submit(c.state.View(), call);  // drawn, then cleared over
        queue.QueueClear(c.state.target, c.state.depth, area, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF302010, 0.75f, 0);
        EXPECT_EQ(c.At(20, 50), 0xFF00FF00u);  // the earlier draw is done at once
        EXPECT_EQ(c.At(5, 200), 0u);           // the clear waits
        EXPECT_FALSE(queue.Empty());
        queue.Submit(c.state.View(), call);
        EXPECT_EQ(queue.Flush(), 2u * 190u * 50u);  // both draws since the last flush
        EXPECT_TRUE(queue.Empty());
        EXPECT_EQ(c.Pixels(), expected.Pixels()) << threads << " threads";
        EXPECT_EQ(c.DepthAt(5, 200), expected.DepthAt(5, 200));
        EXPECT_EQ(c.DepthAt(20, 50), expected.DepthAt(20, 50));
        EXPECT_EQ(c.DepthAt(2, 1), 0xFFFFFF00u);
    }
    SetThreadCount(0);
}

}  // namespace
}  // namespace vestra::raster::testing
