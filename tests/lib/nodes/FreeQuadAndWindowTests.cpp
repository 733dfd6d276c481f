// Create3DQuad and CreateWindow2D: the two drawables that are not scene nodes.
#include "I3DQuad.h"
#include "IWindow.h"
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/Quad3D.h"
#include "scene/nodes/Window2D.h"

namespace {

TEST(FreeQuad, CountQueryAndLayouts)
{
    I3DQuad* quad = Create3DQuad();
    void* out = &out;
    EXPECT_FALSE(quad->QueryInterface(IID_ISceneNode, &out));
    EXPECT_EQ(out, nullptr);
    void* core = nullptr;
    ASSERT_TRUE(quad->QueryInterface(IID_ICoreUnknown, &core));
    EXPECT_EQ(core, quad);
    EXPECT_EQ(quad->Release(), 1u);

    const LITVERTEX* v = static_cast<C3DQuad*>(quad)->Vertices();
    const D3DXVECTOR2 size(4, 2);
    EXPECT_EQ(quad->SetSize(&size), S_OK);
    EXPECT_EQ(quad->SetColor(0x80102030), 0x80102030u);
    EXPECT_EQ(v[3].color, 0x80102030u);
    EXPECT_EQ(quad->Release(), 0u);
}

TEST(FreeQuad, RendersOneStripAndPassesFailures)
{
    vestra::test::HeadlessDevice device;
    I3DQuad* quad = Create3DQuad();
    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    device->BeginScene();
    EXPECT_EQ(quad->Render(device.get()), S_OK) << "before any size: a degenerate strip";
    device->EndScene();
    VESTRA_FRAME_STATISTICS statistics{};
    control->GetFrameStatistics(&statistics);
    EXPECT_EQ(statistics.DrawCalls, 1u);
    EXPECT_EQ(statistics.Primitives, 2u);
    DWORD fvf = 0;
    device->GetFVF(&fvf);
    EXPECT_EQ(fvf, LITVERTEX::FVF);
    control->Release();
    quad->Release();
}

RECT RectOf(IWindow* window)
{
    RECT rect = {0, 0, 0, 0};
    EXPECT_EQ(window->ProcessMessage(nullptr, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&rect)), 0);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Window2D, NestedWindowsAccumulateParentOffsets)
{
    const D3DXCOLOR blue(0, 0, 1, 1);
    IWindow* parent = CreateWindow2D(nullptr, "parent", {100, 100, 400, 300}, blue);
    IWindow* child = CreateWindow2D(parent, "child", {10, 20, 110, 70}, blue);
    IWindow* grandchild = CreateWindow2D(child, "grandchild", {1, 2, 5, 6}, blue);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_TRUE(SameRect(RectOf(child), {110, 120, 210, 170}));
    EXPECT_TRUE(SameRect(RectOf(grandchild), {111, 122, 115, 126}));

    RECT untouched = {-1, -1, -1, -1};
    EXPECT_EQ(child->ProcessMessage(nullptr, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_EQ(child->ProcessMessage(nullptr, WM_SIZE, 0, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_TRUE(SameRect(untouched, {-1, -1, -1, -1}));
    EXPECT_EQ(child->ReservedHook(7), 0);
    grandchild->Destroy();
    child->Destroy();
    parent->Destroy();
}

TEST(Window2D, NullTitleFailsAndRenderDraws)
{
    EXPECT_EQ(CreateWindow2D(nullptr, nullptr, {0, 0, 1, 1}, D3DXCOLOR(1, 1, 1, 1)), nullptr);
    vestra::test::HeadlessDevice device;
    IWindow* window = CreateWindow2D(nullptr, "", {0, 0, 8, 8}, D3DXCOLOR(1, 1, 1, 1));
    device->BeginScene();
    EXPECT_EQ(window->Render(device.get()), S_OK);
    device->EndScene();
    DWORD fvf = 0;
    device->GetFVF(&fvf);
    EXPECT_EQ(fvf, VERTEX2D::FVF);
    window->Destroy();
}

} // namespace
