// Device enumeration: filters on modes, formats, depth buffers, vertex processing and
// present intervals, on the software device and on scripted machines.
#include <gtest/gtest.h>

#include <vector>

#include "PlatformWindowing.h"
#include "framework/D3DEnumeration.h"
#include "lib/framework/ScriptedDirect3D.h"

namespace {

using vestra::test::ScriptedDirect3D;

template <typename T>
std::vector<T> Values(const CRecordList& list)
{
    std::vector<T> values;
    for (UINT i = 0; i < list.Count(); ++i) values.push_back(*static_cast<T*>(list.GetPtr(i)));
    return values;
}

D3DDeviceInfo* Device(const CD3DEnumeration& e, UINT adapter, UINT device)
{
    return static_cast<D3DDeviceInfo*>(e.Adapter(adapter)->devices.GetPtr(device));
}

D3DDeviceCombo* Combo(const D3DDeviceInfo* device, UINT index)
{
    return static_cast<D3DDeviceCombo*>(device->combos.GetPtr(index));
}

D3DDeviceCombo* FindCombo(const D3DDeviceInfo* device, D3DFORMAT backBuffer, bool windowed)
{
    for (UINT i = 0; i < device->combos.Count(); ++i) {
        D3DDeviceCombo* combo = Combo(device, i);
        if (combo->backBufferFormat == backBuffer && combo->isWindowed == windowed) return combo;
    }
    return nullptr;
}

TEST(D3DEnumerationTest, SoftwareDeviceSortsModesAndStartsFullscreen)
{
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    CD3DEnumeration e;
    e.direct3D = d3d;
    e.usesDepthBuffer = true;
    ASSERT_EQ(e.Enumerate(), S_OK);
    ASSERT_EQ(e.AdapterCount(), 1u);
    EXPECT_EQ(Values<D3DFORMAT>(e.allowedAdapterFormats),
              (std::vector<D3DFORMAT>{D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_A2R10G10B10}));

    const D3DAdapterInfo* adapter = e.Adapter(0);

    // Display modes are sorted by size first, so the two formats of one size sit together.
    auto modes = Values<D3DDISPLAYMODE>(adapter->displayModes);
    ASSERT_GE(modes.size(), 2u);
    EXPECT_EQ(modes[0].Width, 640u);
    EXPECT_EQ(modes[0].Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(modes[1].Width, 640u);
    EXPECT_EQ(modes[1].Format, D3DFMT_R5G6B5);

    const D3DDeviceCombo* first = Combo(Device(e, 0, 0), 0);
    EXPECT_EQ(first->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(first->backBufferFormat, D3DFMT_A8R8G8B8);
    EXPECT_FALSE(first->isWindowed);
    EXPECT_EQ(Values<D3DMULTISAMPLE_TYPE>(first->multisampleTypes), std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE});
    d3d->Release();
}

TEST(D3DEnumerationTest, SoftwareDeviceOffersTheDisplaysModes)
{
    std::vector<VestraDisplayMode> display(VestraGetDisplayModes(nullptr, 0));
    VestraGetDisplayModes(display.data(), static_cast<UINT>(display.size()));
    VestraDisplayMode desktop{};
    ASSERT_TRUE(VestraGetDesktopMode(&desktop));
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);

    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        std::vector<D3DDISPLAYMODE> expected;
        for (const VestraDisplayMode& mode : display)
            if (mode.Format == DWORD(format)) expected.push_back({mode.Width, mode.Height, mode.RefreshRate, format});
        ASSERT_EQ(d3d->GetAdapterModeCount(0, format), expected.size());
        for (UINT i = 0; i < expected.size(); ++i) {
            D3DDISPLAYMODE mode{};
            ASSERT_EQ(d3d->EnumAdapterModes(0, format, i, &mode), D3D_OK);
            EXPECT_EQ(mode.Width, expected[i].Width);
            EXPECT_EQ(mode.Height, expected[i].Height);
            EXPECT_EQ(mode.RefreshRate, expected[i].RefreshRate);
        }
    }
    D3DDISPLAYMODE current{};
    ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &current), D3D_OK);
    EXPECT_EQ(current.Width, desktop.Width);
    EXPECT_EQ(current.Height, desktop.Height);
    EXPECT_EQ(DWORD(current.Format), desktop.Format);

    // Windowed, only the desktop's format can be the adapter format; full screen needs a
    // display format that has modes and takes a 32-bit back buffer.
    const D3DFORMAT other = current.Format == D3DFMT_X8R8G8B8 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, current.Format, D3DFMT_A8R8G8B8, TRUE), D3D_OK);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, other, D3DFMT_A8R8G8B8, TRUE), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_A8R8G8B8, FALSE), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_A2R10G10B10, D3DFMT_A8R8G8B8, FALSE),
              D3DERR_NOTAVAILABLE);
    d3d->Release();
}

TEST(D3DEnumerationTest, SmallModesAndPalettizedDesktopsAreDropped)
{
    ScriptedDirect3D d3d;
    d3d.modes = {{800, 600, 75, D3DFMT_X8R8G8B8}, {320, 240, 60, D3DFMT_X8R8G8B8}, {640, 480, 60, D3DFMT_X8R8G8B8},
                 {640, 400, 60, D3DFMT_X8R8G8B8}, {640, 480, 60, D3DFMT_P8},        {800, 600, 60, D3DFMT_X8R8G8B8}};
    CD3DEnumeration e;
    e.direct3D = &d3d;
    ASSERT_EQ(e.Enumerate(), S_OK);
    ASSERT_EQ(e.AdapterCount(), 1u);
    auto modes = Values<D3DDISPLAYMODE>(e.Adapter(0)->displayModes);
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0].Width, 640u);
    EXPECT_EQ(modes[1].RefreshRate, 60u);
    EXPECT_EQ(modes[2].RefreshRate, 75u);

    // A machine whose only modes are palettized has no adapter format to build on.
    d3d.modes = {{1024, 768, 60, D3DFMT_P8}};
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(e.AdapterCount(), 0u);

    e.direct3D = nullptr;
    EXPECT_EQ(e.Enumerate(), E_FAIL);
}

TEST(D3DEnumerationTest, PresentIntervalsDependOnWindowedFlag)
{
    ScriptedDirect3D d3d;
    d3d.caps.PresentationIntervals =
        D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_TWO | D3DPRESENT_INTERVAL_THREE | D3DPRESENT_INTERVAL_FOUR;
    CD3DEnumeration e;
    e.direct3D = &d3d;
    ASSERT_EQ(e.Enumerate(), S_OK);
    const D3DDeviceInfo* hal = Device(e, 0, 0);
    EXPECT_EQ(Values<UINT>(FindCombo(hal, D3DFMT_A8R8G8B8, false)->presentIntervals),
              (std::vector<UINT>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_TWO,
                                 D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR}));
    EXPECT_EQ(Values<UINT>(FindCombo(hal, D3DFMT_A8R8G8B8, true)->presentIntervals),
              (std::vector<UINT>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT}));

    // Windowed-only or fullscreen-only enumeration keeps only that half.
    e.requiresWindowed = true;
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(FindCombo(Device(e, 0, 0), D3DFMT_A8R8G8B8, false), nullptr);
    EXPECT_NE(FindCombo(Device(e, 0, 0), D3DFMT_A8R8G8B8, true), nullptr);
}

TEST(D3DEnumerationTest, DepthBufferMultisampleAndConflicts)
{
    ScriptedDirect3D d3d;
    d3d.depthFormats = {D3DFMT_D16, D3DFMT_D24S8};
    d3d.multisampleTypes = {D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_NONMASKABLE, D3DMULTISAMPLE_4_SAMPLES};
    d3d.depthWithoutMultisample = {D3DFMT_D16};
    CD3DEnumeration e;
    e.direct3D = &d3d;
    e.usesDepthBuffer = true;
    e.minStencilBits = 1;  // leaves D24S8 only
    ASSERT_EQ(e.Enumerate(), S_OK);
    const D3DDeviceCombo* combo = Combo(Device(e, 0, 0), 0);
    EXPECT_EQ(Values<D3DFORMAT>(combo->depthStencilFormats), std::vector<D3DFORMAT>{D3DFMT_D24S8});
    EXPECT_EQ(Values<D3DMULTISAMPLE_TYPE>(combo->multisampleTypes),
              (std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_NONMASKABLE,
                                                D3DMULTISAMPLE_4_SAMPLES}));
    EXPECT_EQ(Values<DWORD>(combo->multisampleQualities), (std::vector<DWORD>{1, 4, 1}));
    EXPECT_EQ(combo->conflicts.Count(), 0u);

    e.minStencilBits = 0;
    ASSERT_EQ(e.Enumerate(), S_OK);
    auto conflicts = Values<D3DDSMSConflict>(Combo(Device(e, 0, 0), 0)->conflicts);
    ASSERT_EQ(conflicts.size(), 2u);
    EXPECT_EQ(conflicts[0].depthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(conflicts[0].multisampleType, D3DMULTISAMPLE_NONMASKABLE);
    EXPECT_EQ(conflicts[1].multisampleType, D3DMULTISAMPLE_4_SAMPLES);

    // No usable depth format: every combination, hence every device and the adapter, goes.
    d3d.depthFormats.clear();
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(e.AdapterCount(), 0u);
    e.usesDepthBuffer = false;
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(e.AdapterCount(), 1u);
}

std::vector<VertexProcessingType> offered;
bool RecordAndRejectSoftware(const D3DCAPS9*, VertexProcessingType type, D3DFORMAT, D3DFORMAT)
{
    offered.push_back(type);
    return type != SOFTWARE_VP;
}
bool RejectAll(const D3DCAPS9*, VertexProcessingType, D3DFORMAT, D3DFORMAT) { return false; }

TEST(D3DEnumerationTest, VertexProcessingKindsFollowCapsAndTheCallback)
{
    ScriptedDirect3D d3d;
    d3d.deviceTypes = {D3DDEVTYPE_HAL};
    d3d.backBufferFormats = {D3DFMT_A8R8G8B8};
    d3d.fullscreenOnly = true;
    d3d.caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE;
    CD3DEnumeration e;
    e.direct3D = &d3d;
    e.usesMixedVertexProcessing = true;
    e.acceptDevice = RecordAndRejectSoftware;
    offered.clear();
    ASSERT_EQ(e.Enumerate(), S_OK);
    ASSERT_EQ(Device(e, 0, 0)->combos.Count(), 1u);
    EXPECT_EQ(offered, (std::vector<VertexProcessingType>{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP, SOFTWARE_VP}));
    EXPECT_EQ(Values<VertexProcessingType>(Combo(Device(e, 0, 0), 0)->vertexProcessingTypes),
              (std::vector<VertexProcessingType>{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP}));

    // Without hardware transform only software is asked for, and rejecting it drops everything.
    d3d.caps.DevCaps = 0;
    offered.clear();
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(offered, std::vector<VertexProcessingType>{SOFTWARE_VP});
    EXPECT_EQ(e.AdapterCount(), 0u);

    d3d.caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    e.acceptDevice = RejectAll;
    ASSERT_EQ(e.Enumerate(), S_OK);
    EXPECT_EQ(e.AdapterCount(), 0u);
}

TEST(D3DEnumerationTest, BehaviorFlagsOfEachKind)
{
    EXPECT_EQ(BehaviorFlagsOf(SOFTWARE_VP), 0x20u);
    EXPECT_EQ(BehaviorFlagsOf(MIXED_VP), 0x80u);
    EXPECT_EQ(BehaviorFlagsOf(HARDWARE_VP), 0x40u);
    EXPECT_EQ(BehaviorFlagsOf(PURE_HARDWARE_VP), 0x50u);
    EXPECT_EQ(BehaviorFlagsOf(static_cast<VertexProcessingType>(9)), 0u);
}

}  // namespace
