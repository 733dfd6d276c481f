// Level selection for cube and volume textures: every level is one solid colour, so the
// colour drawn names the level (or the blend of two) the sampler chose.
#include <gtest/gtest.h>

#include <cstring>

#include "DeviceDrawing.h"

using namespace vestra::test;

namespace {

constexpr UINT kSide = 4;  // the quad covers the whole kSide x kSide target

DWORD LevelColour(UINT level) { return 0xFF000000u | (0x20u * (level + 1)) * 0x010101u; }

struct Coord {
    float u, v, w;
};

// A quad over the target whose coordinate is origin at its top-left corner and changes by
// across over its width and by down over its height.
void DrawQuad(IDirect3DDevice9* device, Coord origin, Coord across, Coord down) {
    DirectionVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i & 1), d = static_cast<float>(i >> 1);
        quad[i] = {a * kSide - 0.5f, d * kSide - 0.5f, 0.5f, 1.0f,
                   origin.u + a * across.u + d * down.u, origin.v + a * across.v + d * down.v,
                   origin.w + a * across.w + d * down.w};
    }
    TextureOnly(device, kDirectionFvf);
    ASSERT_EQ(D3D_OK, device->BeginScene());
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(DirectionVertex)));
    ASSERT_EQ(D3D_OK, device->EndScene());
}

// The one colour the whole target shows, or 0 when pixels differ.
DWORD Uniform(IDirect3DDevice9* device) {
    const std::vector<DWORD> texels = ReadBackBuffer(device);
    if (texels.size() != kSide * kSide) return 0;
    for (DWORD t : texels)
        if (t != texels[0]) return 0;
    return texels[0];
}

// 16x16 faces, five levels.
IDirect3DCubeTexture9* SolidLevelCube(IDirect3DDevice9* device) {
    IDirect3DCubeTexture9* cube = nullptr;
    if (FAILED(device->CreateCubeTexture(16, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr))) return nullptr;
    for (UINT face = 0; face < 6; ++face) {
        for (UINT level = 0; level < cube->GetLevelCount(); ++level) {
            const auto f = static_cast<D3DCUBEMAP_FACES>(face);
            D3DSURFACE_DESC desc;
            cube->GetLevelDesc(level, &desc);
            D3DLOCKED_RECT locked;
            cube->LockRect(f, level, &locked, nullptr, 0);
            for (UINT y = 0; y < desc.Height; ++y)
                for (UINT x = 0; x < desc.Width; ++x)
                    reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch)[x] = LevelColour(level);
            cube->UnlockRect(f, level);
        }
    }
    return cube;
}

void SetFloat(IDirect3DDevice9* device, D3DSAMPLERSTATETYPE state, float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    device->SetSamplerState(0, state, bits);
}

struct CubeCase {
    const char* name;
    DWORD minFilter, mipFilter, maxMipLevel;
    float lodBias;
    DWORD expected;
};

// The +Z face crossed edge to edge over four pixels both ways: four level-0 texels per
// pixel, level of detail 2.
TEST(CubeVolumeMip, CubeLevelFollowsMinificationAndSamplerStates) {
    const CubeCase cases[] = {
        {"point mip", D3DTEXF_POINT, D3DTEXF_POINT, 0, 0.0f, LevelColour(2)},
        {"no mip reads the top level", D3DTEXF_POINT, D3DTEXF_NONE, 0, 0.0f, LevelColour(0)},
        {"negative bias", D3DTEXF_POINT, D3DTEXF_POINT, 0, -1.0f, LevelColour(1)},
        {"max mip level shifts the chain", D3DTEXF_POINT, D3DTEXF_POINT, 1, 0.0f, LevelColour(3)},
        {"clamped at the last level", D3DTEXF_POINT, D3DTEXF_POINT, 3, 0.0f, LevelColour(4)},
        {"linear mip halfway", D3DTEXF_LINEAR, D3DTEXF_LINEAR, 0, 0.5f, 0xFF707070u},
    };
    for (const CubeCase& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessDevice device(kSide, kSide);
        ASSERT_TRUE(device.get());
        IDirect3DCubeTexture9* cube = SolidLevelCube(device.get());
        ASSERT_NE(cube, nullptr);
        device->SetTexture(0, cube);
        device->SetSamplerState(0, D3DSAMP_MINFILTER, c.minFilter);
        device->SetSamplerState(0, D3DSAMP_MIPFILTER, c.mipFilter);
        device->SetSamplerState(0, D3DSAMP_MAXMIPLEVEL, c.maxMipLevel);
        SetFloat(device.get(), D3DSAMP_MIPMAPLODBIAS, c.lodBias);
        DrawQuad(device.get(), {-1, 1, 1}, {2, 0, 0}, {0, -2, 0});
        EXPECT_EQ(Uniform(device.get()), c.expected);
        device->SetTexture(0, nullptr);
        EXPECT_EQ(cube->Release(), 0u);
    }
}

// On the -X face the coordinates across are z and y: z covers the face over four pixels
// (4 texels a pixel), y half of it down (2 texels a pixel); the larger rate decides.
// Magnified, the same face reads the top level with the magnification filter.
TEST(CubeVolumeMip, CubeRatesAreMeasuredAcrossTheFaceHit) {
    HeadlessDevice device(kSide, kSide);
    ASSERT_TRUE(device.get());
    IDirect3DCubeTexture9* cube = SolidLevelCube(device.get());
    ASSERT_NE(cube, nullptr);
    device->SetTexture(0, cube);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    DrawQuad(device.get(), {-1, 0.5f, -1}, {0, 0, 2}, {0, -1, 0});
    EXPECT_EQ(Uniform(device.get()), LevelColour(2));
    DrawQuad(device.get(), {-1, 0.05f, -0.05f}, {0, 0, 0.1f}, {0, -0.1f, 0});
    EXPECT_EQ(Uniform(device.get()), LevelColour(0));
    device->SetTexture(0, nullptr);
    EXPECT_EQ(cube->Release(), 0u);
}

// An 8x8x8 volume whose u and v cross it over four pixels (2 texels a pixel, level 1);
// a w that also crosses the depth down the quad (2 texels a pixel, then 4) moves it on.
TEST(CubeVolumeMip, VolumeLevelFollowsAllThreeRates) {
    HeadlessDevice device(kSide, kSide);
    ASSERT_TRUE(device.get());
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVolumeTexture(8, 8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &volume, nullptr));
    ASSERT_EQ(volume->GetLevelCount(), 4u);
    for (UINT level = 0; level < 4; ++level) {
        D3DVOLUME_DESC desc;
        volume->GetLevelDesc(level, &desc);
        D3DLOCKED_BOX box;
        ASSERT_EQ(D3D_OK, volume->LockBox(level, &box, nullptr, 0));
        for (UINT z = 0; z < desc.Depth; ++z)
            for (UINT y = 0; y < desc.Height; ++y)
                for (UINT x = 0; x < desc.Width; ++x)
                    reinterpret_cast<DWORD*>(static_cast<BYTE*>(box.pBits) + z * box.SlicePitch + y * box.RowPitch)[x] =
                        LevelColour(level);
        volume->UnlockBox(level);
    }
    device->SetTexture(0, volume);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    DrawQuad(device.get(), {0, 0, 0.5f}, {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(Uniform(device.get()), LevelColour(1));
    DrawQuad(device.get(), {0, 0, 0}, {1, 0, 0}, {0, 0, 2});
    EXPECT_EQ(Uniform(device.get()), LevelColour(2));
    device->SetTexture(0, nullptr);
    EXPECT_EQ(volume->Release(), 0u);
}

}  // namespace
