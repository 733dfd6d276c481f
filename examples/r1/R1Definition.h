// Reference scene R1: the numbers that define it, shared by every program that draws it
// (the device-level benchmark, the engine-level benchmark, the demo and the tests), so that
// "R1" means one thing everywhere.
//
// 640 x 480, A8R8G8B8 with 24-bit depth; perspective fov pi/4, aspect 4:3, near 1, far 1000;
// eye (0, 30, -80) looking at the origin, up +y. A skybox cube of edge 500 centred on the eye
// (six 256 x 256 textures, drawn first without depth test or write); a 200 x 200 ground in
// the y = 0 plane (256 x 256 texture repeated, depth test on, write off); 200 camera-facing
// 8 x 8 billboards on a 20 x 10 grid over x -50..50, z -25..25 at y = 4 (64 x 64 soft round
// alpha texture, blended SRCALPHA / INVSRCALPHA, one draw each); 100 point sprites of size 3
// with scale A = 0, B = 0, C = 1 (32 x 32 texture, additive, one draw) in a 20-unit box
// around (0, 10, 0).
#pragma once

#include <d3dx9math.h>

namespace r1 {

constexpr UINT kWidth = 640;
constexpr UINT kHeight = 480;
constexpr D3DFORMAT kBackBufferFormat = D3DFMT_A8R8G8B8;
constexpr D3DFORMAT kDepthFormat = D3DFMT_D24S8;

constexpr float kFieldOfView = D3DX_PI / 4.0f;
constexpr float kAspect = 4.0f / 3.0f;
constexpr float kNear = 1.0f;
constexpr float kFar = 1000.0f;
inline const D3DXVECTOR3 kEye(0.0f, 30.0f, -80.0f);
inline const D3DXVECTOR3 kLookAt(0.0f, 0.0f, 0.0f);
inline const D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);

constexpr float kSkyboxEdge = 500.0f;
constexpr UINT kSkyTextureSize = 256;

constexpr float kGroundSize = 200.0f;
constexpr UINT kGroundTextureSize = 256;
constexpr float kGroundTextureRepeat = 4.0f;  // texture repeats across the ground's width

constexpr int kBillboardColumns = 20;
constexpr int kBillboardRows = 10;
constexpr float kBillboardSize = 8.0f;
constexpr float kBillboardHeight = 4.0f;
constexpr UINT kBillboardTextureSize = 64;

constexpr int kSpriteCount = 100;
constexpr float kSpriteSize = 3.0f;
constexpr float kSpriteScaleA = 0.0f, kSpriteScaleB = 0.0f, kSpriteScaleC = 1.0f;
constexpr float kSpriteBoxEdge = 20.0f;
inline const D3DXVECTOR3 kSpriteBoxCentre(0.0f, 10.0f, 0.0f);
constexpr UINT kSpriteTextureSize = 32;

// Billboard (column, row) of the grid: x from -50 to 50, z from -25 to 25.
inline D3DXVECTOR3 BillboardCentre(int column, int row)
{
    return D3DXVECTOR3(-50.0f + 100.0f * static_cast<float>(column) / (kBillboardColumns - 1), kBillboardHeight,
                       -25.0f + 50.0f * static_cast<float>(row) / (kBillboardRows - 1));
}

// A warm tint that varies over the grid so neighbours are told apart.
inline D3DCOLOR BillboardTint(int column, int row)
{
    return D3DCOLOR_ARGB(255, 255, 200 + (column * 3) % 56, 180 + (row * 7) % 76);
}

// Sprite positions come from a fixed generator, so every program draws the same cloud.
struct SpriteCloud {
    D3DXVECTOR3 position[kSpriteCount];
    D3DCOLOR colour[kSpriteCount];

    SpriteCloud()
    {
        UINT seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
        };
        const float half = kSpriteBoxEdge / 2.0f;
        for (int i = 0; i < kSpriteCount; ++i) {
            const float x = next() * kSpriteBoxEdge - half;
            const float y = next() * kSpriteBoxEdge - half;
            const float z = next() * kSpriteBoxEdge - half;
            position[i] = kSpriteBoxCentre + D3DXVECTOR3(x, y, z);
            colour[i] = D3DCOLOR_ARGB(255, 255, 160 + i % 96, 64);
        }
    }
};

// The camera of R1 as matrices.
inline void ViewMatrix(D3DXMATRIX* view) { D3DXMatrixLookAtLH(view, &kEye, &kLookAt, &kUp); }
inline void ProjectionMatrix(D3DXMATRIX* projection)
{
    D3DXMatrixPerspectiveFovLH(projection, kFieldOfView, kAspect, kNear, kFar);
}

}  // namespace r1
