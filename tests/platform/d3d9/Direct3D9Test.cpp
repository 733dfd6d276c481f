#include <gtest/gtest.h>

#include <iterator>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessParameters;

namespace {

class Direct3D9 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(d3d_ = Direct3DCreate9(D3D_SDK_VERSION), nullptr); }
    void TearDown() override { EXPECT_EQ(d3d_->Release(), 0u); }

    HRESULT Create(DWORD behavior, D3DPRESENT_PARAMETERS pp, D3DDEVTYPE type = D3DDEVTYPE_HAL) {
        IDirect3DDevice9* device = nullptr;
        const HRESULT hr = d3d_->CreateDevice(D3DADAPTER_DEFAULT, type, nullptr, behavior, &pp, &device);
        if (device) device->Release();
        return hr;
    }

    IDirect3D9* d3d_ = nullptr;
};

TEST(Direct3DCreate9, RefusesAnotherSdkVersion) {
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
    EXPECT_EQ(Direct3DCreate9(0), nullptr);
}

TEST_F(Direct3D9, EnumeratesModesOfEachDisplayFormat) {
    EXPECT_EQ(d3d_->GetAdapterCount(), 1u);
    const UINT count = d3d_->GetAdapterModeCount(0, D3DFMT_X8R8G8B8);
    ASSERT_EQ(count, 6u);
    EXPECT_EQ(d3d_->GetAdapterModeCount(0, D3DFMT_R5G6B5), 6u);
    EXPECT_EQ(d3d_->GetAdapterModeCount(0, D3DFMT_A8R8G8B8), 0u);  // not a display format
    EXPECT_EQ(d3d_->GetAdapterModeCount(1, D3DFMT_X8R8G8B8), 0u);
    D3DDISPLAYMODE mode;
    ASSERT_EQ(d3d_->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 0, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 640u);
    EXPECT_EQ(mode.RefreshRate, 60u);
    EXPECT_EQ(d3d_->EnumAdapterModes(0, D3DFMT_X8R8G8B8, count, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d_->EnumAdapterModes(0, D3DFMT_A8R8G8B8, 0, &mode), D3DERR_NOTAVAILABLE);
    D3DADAPTER_IDENTIFIER9 id;
    EXPECT_EQ(d3d_->GetAdapterIdentifier(1, 0, &id), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d_->GetAdapterIdentifier(0, 0, &id), D3D_OK);
}

TEST_F(Direct3D9, ChecksFormatsTheDeviceCanUse) {
    EXPECT_EQ(d3d_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, FALSE), D3D_OK);
    EXPECT_EQ(d3d_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, TRUE), D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d_->CheckDeviceType(1, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_DXT5), D3D_OK);
    EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE,
                                      D3DFMT_R5G6B5),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_AUTOGENMIPMAP, D3DRTYPE_TEXTURE,
                                      D3DFMT_A8R8G8B8),
              D3DOK_NOAUTOGEN);
    EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                      D3DFMT_D24S8),
              D3D_OK);
    EXPECT_EQ(d3d_->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_D16), D3D_OK);
    EXPECT_EQ(d3d_->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_L8),
              D3DERR_NOTAVAILABLE);
    DWORD quality = 0;
    EXPECT_EQ(d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE, D3DMULTISAMPLE_NONE, &quality),
              D3D_OK);
    EXPECT_EQ(quality, 1u);
    EXPECT_EQ(d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE, D3DMULTISAMPLE_4_SAMPLES,
                                               &quality),
              D3DERR_NOTAVAILABLE);
}

TEST_F(Direct3D9, CreateDeviceChecksItsArguments) {
    const D3DPRESENT_PARAMETERS pp = HeadlessParameters(16, 16);
    EXPECT_EQ(Create(0, pp), D3DERR_INVALIDCALL);  // no vertex processing
    EXPECT_EQ(Create(D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING, pp),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(Create(D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, pp), D3DERR_INVALIDCALL);
    EXPECT_EQ(Create(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, pp), D3D_OK);
    EXPECT_EQ(Create(D3DCREATE_MIXED_VERTEXPROCESSING, pp, D3DDEVTYPE_REF), D3D_OK);
    EXPECT_EQ(Create(D3DCREATE_MIXED_VERTEXPROCESSING, pp, D3DDEVTYPE_NULLREF), D3DERR_NOTAVAILABLE);

    void (*const invalid[])(D3DPRESENT_PARAMETERS&) = {
        [](D3DPRESENT_PARAMETERS& p) { p.MultiSampleType = D3DMULTISAMPLE_2_SAMPLES; },
        [](D3DPRESENT_PARAMETERS& p) { p.AutoDepthStencilFormat = D3DFMT_A8R8G8B8; },
        [](D3DPRESENT_PARAMETERS& p) { p.FullScreen_RefreshRateInHz = 60; },  // windowed
        [](D3DPRESENT_PARAMETERS& p) { p.Windowed = FALSE; },                 // full screen without any window
        [](D3DPRESENT_PARAMETERS& p) { p.BackBufferWidth = 10000; },
        [](D3DPRESENT_PARAMETERS& p) { p.BackBufferCount = 4; },
    };
    D3DPRESENT_PARAMETERS bad = pp;
    for (size_t i = 0; i < std::size(invalid); ++i) {
        SCOPED_TRACE(i);
        bad = pp;
        invalid[i](bad);
        EXPECT_EQ(Create(D3DCREATE_SOFTWARE_VERTEXPROCESSING, bad), D3DERR_INVALIDCALL);
    }

    IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(1);
    EXPECT_EQ(d3d_->CreateDevice(1, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &bad, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, nullptr, &device),
              D3DERR_INVALIDCALL);
}

TEST_F(Direct3D9, CreateDeviceFillsInDefaultsAndHoldsTheObject) {
    D3DPRESENT_PARAMETERS pp = HeadlessParameters(20, 10);
    pp.BackBufferFormat = D3DFMT_UNKNOWN;
    pp.BackBufferCount = 0;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    EXPECT_EQ(pp.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(pp.BackBufferCount, 1u);
    EXPECT_EQ(vestra::test::RefCount(d3d_), 2u);
    EXPECT_EQ(device->SetSoftwareVertexProcessing(FALSE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(vestra::test::RefCount(d3d_), 1u);
}

}  // namespace
