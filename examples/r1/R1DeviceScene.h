// R1 drawn straight through an IDirect3DDevice9, with no engine in between: the yardstick
// the rasterizer is measured by and the engine's overhead is measured against.
#pragma once

#include <d3dx9.h>

#include <vector>

#include "R1Definition.h"

namespace r1 {

// A windowed device with R1's back buffer (kWidth x kHeight, kBackBufferFormat, kDepthFormat
// depth) on `window`, or off-screen when `window` is null; presents immediately.
HRESULT CreateDevice(HWND window, IDirect3DDevice9** device);

class DeviceScene {
public:
    DeviceScene() = default;
    DeviceScene(const DeviceScene&) = delete;
    DeviceScene& operator=(const DeviceScene&) = delete;
    ~DeviceScene() { Release(); }

    // Makes the textures and vertices. The device's back buffer should be kWidth x kHeight
    // with a depth buffer; nothing else about its state is assumed.
    HRESULT Create(IDirect3DDevice9* device);

    // One frame: clear colour and depth, then BeginScene, every draw, EndScene. The caller
    // presents. Sets every state it relies on, each frame.
    HRESULT Render();

    void Release();

private:
    struct TexturedVertex {
        float x, y, z;
        float u, v;
    };
    struct ColouredVertex {
        float x, y, z;
        D3DCOLOR diffuse;
        float u, v;
    };
    struct SpriteVertex {
        float x, y, z;
        D3DCOLOR diffuse;
    };

    void SetCommonStates();
    HRESULT DrawSky();
    HRESULT DrawGround();
    HRESULT DrawBillboards();
    HRESULT DrawSprites();

    IDirect3DDevice9* device_ = nullptr;
    IDirect3DTexture9* sky_[6] = {};
    IDirect3DTexture9* ground_ = nullptr;
    IDirect3DTexture9* billboard_ = nullptr;
    IDirect3DTexture9* sprite_ = nullptr;
    TexturedVertex skyFaces_[6][4] = {};
    TexturedVertex groundQuad_[4] = {};
    std::vector<ColouredVertex> billboards_;  // 4 per billboard in strip order, far rows first
    std::vector<SpriteVertex> sprites_;
    D3DXMATRIX view_, projection_, skyWorld_;
};

}  // namespace r1
