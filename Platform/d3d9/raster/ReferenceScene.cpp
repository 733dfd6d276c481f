#include "d3d9/raster/ReferenceScene.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vestra::raster {

namespace {

struct Vec3 {
    float x, y, z;
};

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normalize(Vec3 v) {
    const float l = std::sqrt(Dot(v, v));
    return {v.x / l, v.y / l, v.z / l};
}

// Left-handed look-at and perspective matrices, as the D3DX helpers build them.
D3DMATRIX LookAt(Vec3 eye, Vec3 at, Vec3 up) {
    const Vec3 z = Normalize(Sub(at, eye));
    const Vec3 x = Normalize(Cross(up, z));
    const Vec3 y = Cross(z, x);
    D3DMATRIX m{};
    m._11 = x.x; m._12 = y.x; m._13 = z.x;
    m._21 = x.y; m._22 = y.y; m._23 = z.y;
    m._31 = x.z; m._32 = y.z; m._33 = z.z;
    m._41 = -Dot(x, eye); m._42 = -Dot(y, eye); m._43 = -Dot(z, eye); m._44 = 1.0f;
    return m;
}

D3DMATRIX Perspective(float fovY, float aspect, float zn, float zf) {
    const float h = 1.0f / std::tan(fovY / 2.0f);
    D3DMATRIX m{};
    m._11 = h / aspect;
    m._22 = h;
    m._33 = zf / (zf - zn);
    m._34 = 1.0f;
    m._43 = -zn * zf / (zf - zn);
    return m;
}

DWORD Argb(int a, int r, int g, int b) {
    return (static_cast<DWORD>(a) << 24) | (static_cast<DWORD>(r) << 16) | (static_cast<DWORD>(g) << 8) |
           static_cast<DWORD>(b);
}

DWORD SkyTexel(UINT x, UINT y, UINT size, UINT face) {
    const int g = static_cast<int>(y * 255 / size);
    const int stripe = ((x / 32 + y / 32 + face) & 1) ? 24 : 0;
    return Argb(255, 40 + stripe + static_cast<int>(face) * 20, 90 + g / 3, 160 + g / 3);
}

DWORD GroundTexel(UINT x, UINT y, UINT, UINT) {
    const bool dark = ((x / 16) ^ (y / 16)) & 1;
    return dark ? Argb(255, 60, 110, 40) : Argb(255, 90, 150, 60);
}

// White with alpha falling off smoothly to zero at the rim of the inscribed circle.
DWORD SoftDiscTexel(UINT x, UINT y, UINT size, UINT) {
    const float c = (static_cast<float>(size) - 1.0f) * 0.5f;
    const float dx = (static_cast<float>(x) - c) / c, dy = (static_cast<float>(y) - c) / c;
    const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
    const float a = (1.0f - r) * (1.0f - r);
    return Argb(static_cast<int>(a * 255.0f + 0.5f), 255, 255, 255);
}

// The same disc pre-multiplied, for additive blending, which ignores alpha.
DWORD GlowTexel(UINT x, UINT y, UINT size, UINT seed) {
    const int a = static_cast<int>(SoftDiscTexel(x, y, size, seed) >> 24);
    return Argb(a, a, a, a);
}

DWORD Bits(float f) {
    DWORD d;
    std::memcpy(&d, &f, sizeof d);
    return d;
}

}  // namespace

void ReferenceScene::MakeTexture(OwnedTexture& t, UINT size, DWORD (*texel)(UINT, UINT, UINT, UINT), UINT seed) {
    t.texels.resize(static_cast<size_t>(size) * size);
    for (UINT y = 0; y < size; ++y)
        for (UINT x = 0; x < size; ++x) t.texels[static_cast<size_t>(y) * size + x] = texel(x, y, size, seed);
    t.view.levelCount = 1;
    t.view.levels[0] = TextureLevel{size, size, static_cast<INT>(size * 4), reinterpret_cast<const BYTE*>(t.texels.data())};
}

ReferenceScene::ReferenceScene() : state_(kWidth, kHeight, true) {
    for (UINT f = 0; f < 6; ++f) MakeTexture(sky_[f], 256, SkyTexel, f);
    MakeTexture(ground_, 256, GroundTexel, 0);
    MakeTexture(billboard_, 64, SoftDiscTexel, 0);
    MakeTexture(sprite_, 32, GlowTexel, 0);

    const Vec3 eye{0.0f, 30.0f, -80.0f};
    state_.view = LookAt(eye, {0, 0, 0}, {0, 1, 0});
    state_.projection = Perspective(3.14159265f / 4.0f, 4.0f / 3.0f, 1.0f, 1000.0f);

    // Skybox faces around the origin; the world matrix moves the cube onto the eye.
    const float h = 250.0f;
    const Vec3 corners[6][4] = {
        {{h, h, -h}, {h, h, h}, {h, -h, -h}, {h, -h, h}},      // +x
        {{-h, h, h}, {-h, h, -h}, {-h, -h, h}, {-h, -h, -h}},  // -x
        {{-h, h, h}, {h, h, h}, {-h, h, -h}, {h, h, -h}},      // +y
        {{-h, -h, -h}, {h, -h, -h}, {-h, -h, h}, {h, -h, h}},  // -y
        {{h, h, h}, {-h, h, h}, {h, -h, h}, {-h, -h, h}},      // +z
        {{-h, h, -h}, {h, h, -h}, {-h, -h, -h}, {h, -h, -h}},  // -z
    };
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int f = 0; f < 6; ++f)
        for (int k = 0; k < 4; ++k)
            skyFaces_[f][k] = TexturedVertex{corners[f][k].x, corners[f][k].y, corners[f][k].z, uv[k][0], uv[k][1]};
    skyWorld_ = D3DMATRIX{};
    skyWorld_._11 = skyWorld_._22 = skyWorld_._33 = skyWorld_._44 = 1.0f;
    skyWorld_._41 = eye.x; skyWorld_._42 = eye.y; skyWorld_._43 = eye.z;

    groundQuad_[0] = {-100, 0, 100, 0, 0};
    groundQuad_[1] = {100, 0, 100, 4, 0};
    groundQuad_[2] = {-100, 0, -100, 0, 4};
    groundQuad_[3] = {100, 0, -100, 4, 4};

    // Camera-facing quads: the view matrix's columns are the camera's right and up axes.
    const Vec3 right{state_.view._11, state_.view._21, state_.view._31};
    const Vec3 up{state_.view._12, state_.view._22, state_.view._32};
    for (int row = 9; row >= 0; --row) {  // far rows first so blending layers correctly
        for (int col = 0; col < 20; ++col) {
            const Vec3 c{-50.0f + 100.0f * static_cast<float>(col) / 19.0f, 4.0f,
                         -25.0f + 50.0f * static_cast<float>(row) / 9.0f};
            const D3DCOLOR tint = Argb(255, 255, 200 + (col * 3) % 56, 180 + (row * 7) % 76);
            const float s = 4.0f;
            const float cu[4] = {-s, s, -s, s}, cv[4] = {s, s, -s, -s};
            for (int k = 0; k < 4; ++k)
                billboards_.push_back(ColouredVertex{c.x + right.x * cu[k] + up.x * cv[k],
                                                     c.y + right.y * cu[k] + up.y * cv[k],
                                                     c.z + right.z * cu[k] + up.z * cv[k], tint, uv[k][0], uv[k][1]});
        }
    }

    UINT seed = 12345;
    auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
    };
    for (int i = 0; i < 100; ++i) {
        const float x = random() * 20.0f - 10.0f, y = 10.0f + random() * 20.0f - 10.0f, z = random() * 20.0f - 10.0f;
        sprites_.push_back(SpriteVertex{x, y, z, Argb(255, 255, 160 + i % 96, 64)});
    }

    DWORD* rs = state_.renderStates;
    rs[D3DRS_LIGHTING] = FALSE;
    rs[D3DRS_CULLMODE] = D3DCULL_NONE;
    for (UINT s = 0; s < 1; ++s) {
        state_.samplerStates[s][D3DSAMP_MAGFILTER] = D3DTEXF_LINEAR;
        state_.samplerStates[s][D3DSAMP_MINFILTER] = D3DTEXF_LINEAR;
    }
    state_.stageStates[0][D3DTSS_COLORARG2] = D3DTA_DIFFUSE;
    state_.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_MODULATE;
    state_.stageStates[0][D3DTSS_ALPHAARG2] = D3DTA_DIFFUSE;
}

void ReferenceScene::Accumulate(DrawStats& total, const State& state, const DrawCall& call) {
    const DrawStats s = Draw(state, call);
    total.primitivesDrawn += s.primitivesDrawn;
    total.pixelsWritten += s.pixelsWritten;
}

DrawStats ReferenceScene::Render(const ColorBuffer& target, const DepthBuffer& depth) {
    const RECT all{0, 0, static_cast<LONG>(target.width), static_cast<LONG>(target.height)};
    Clear(target, depth, all, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000u, 1.0f, 0);
    state_.target = target;
    state_.depth = depth;
    DWORD* rs = state_.renderStates;
    DWORD* sampler = state_.samplerStates[0];
    DrawStats total;

    // Sky: no depth at all, clamped so the faces meet without seams.
    rs[D3DRS_ZENABLE] = D3DZB_FALSE;
    rs[D3DRS_ZWRITEENABLE] = FALSE;
    rs[D3DRS_ALPHABLENDENABLE] = FALSE;
    sampler[D3DSAMP_ADDRESSU] = sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_CLAMP;
    const D3DMATRIX identity = [] {
        D3DMATRIX m{};
        m._11 = m._22 = m._33 = m._44 = 1.0f;
        return m;
    }();
    state_.world = skyWorld_;
    for (int f = 0; f < 6; ++f) {
        state_.textures[0] = &sky_[f].view;
        Accumulate(total, state_.View(),
                   DrawCall{D3DPT_TRIANGLESTRIP, 2, skyFaces_[f], 4, sizeof(TexturedVertex), D3DFVF_XYZ | D3DFVF_TEX1});
    }

    // Ground: depth tested, not written, tiled.
    state_.world = identity;
    rs[D3DRS_ZENABLE] = D3DZB_TRUE;
    sampler[D3DSAMP_ADDRESSU] = sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
    state_.textures[0] = &ground_.view;
    Accumulate(total, state_.View(),
               DrawCall{D3DPT_TRIANGLESTRIP, 2, groundQuad_, 4, sizeof(TexturedVertex), D3DFVF_XYZ | D3DFVF_TEX1});

    // Billboards: one blended strip each.
    rs[D3DRS_ALPHABLENDENABLE] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;
    rs[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;
    sampler[D3DSAMP_ADDRESSU] = sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_CLAMP;
    state_.textures[0] = &billboard_.view;
    const State billboardState = state_.View();
    for (size_t i = 0; i < billboards_.size(); i += 4)
        Accumulate(total, billboardState,
                   DrawCall{D3DPT_TRIANGLESTRIP, 2, &billboards_[i], 4, sizeof(ColouredVertex),
                            D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1});

    // Sprites: additive, sized by distance.
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ONE;
    rs[D3DRS_POINTSPRITEENABLE] = TRUE;
    rs[D3DRS_POINTSCALEENABLE] = TRUE;
    rs[D3DRS_POINTSIZE] = Bits(3.0f);
    rs[D3DRS_POINTSCALE_A] = Bits(0.0f);
    rs[D3DRS_POINTSCALE_B] = Bits(0.0f);
    rs[D3DRS_POINTSCALE_C] = Bits(1.0f);
    state_.textures[0] = &sprite_.view;
    Accumulate(total, state_.View(),
               DrawCall{D3DPT_POINTLIST, static_cast<UINT>(sprites_.size()), sprites_.data(),
                        static_cast<UINT>(sprites_.size()), sizeof(SpriteVertex), D3DFVF_XYZ | D3DFVF_DIFFUSE});
    rs[D3DRS_POINTSPRITEENABLE] = FALSE;
    rs[D3DRS_POINTSCALEENABLE] = FALSE;
    rs[D3DRS_POINTSIZE] = Bits(1.0f);
    rs[D3DRS_POINTSCALE_A] = Bits(1.0f);
    rs[D3DRS_POINTSCALE_C] = Bits(0.0f);
    return total;
}

}  // namespace vestra::raster
