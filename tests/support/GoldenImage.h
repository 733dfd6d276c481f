// Golden-image checks for rendering tests: the back buffer of a headless device compared
// byte for byte with a reviewed PNG under tests/golden/.
//
// On a mismatch the actual image and a diff image (differing pixels red over a dimmed copy
// of the golden) are written beside the test executable, in golden-output/, and the check
// fails with the count and the first differing pixel. With VESTRA_UPDATE_GOLDEN=1 in the
// environment the golden is (re)written from the back buffer instead, for review.
//
// The comparison and file naming live in GoldenImage.cpp, which every suite compiles; the
// parts that need a device are inline here, since only some suites link one.
#pragma once

#include <d3d9.h>
#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/HeadlessDevice.h"

namespace vestra::test {

struct ImageDifference {
    size_t count = 0;  // pixels that differ (all pixels when the sizes differ)
    UINT firstX = 0;
    UINT firstY = 0;
    DWORD expected = 0;
    DWORD actual = 0;
};

// Both images are row-major ARGB of the same width; sizes that differ count every pixel.
ImageDifference CompareImages(const std::vector<DWORD>& expected, const std::vector<DWORD>& actual, UINT width);
// Red where the images differ, the expected image at a quarter brightness elsewhere.
std::vector<DWORD> DiffImage(const std::vector<DWORD>& expected, const std::vector<DWORD>& actual);
std::string GoldenPath(const std::string& name);
// golden-output/ beside the running executable, created on demand.
std::string GoldenOutputDir();
bool UpdateGoldenRequested();

// Writes ARGB texels as a PNG through a system-memory A8R8G8B8 surface.
inline bool SaveImagePng(IDirect3DDevice9* device, const std::string& path, const std::vector<DWORD>& texels,
                         UINT width, UINT height)
{
    IDirect3DSurface9* surface = nullptr;
    if (FAILED(device->CreateOffscreenPlainSurface(width, height, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &surface,
                                                   nullptr))) {
        return false;
    }
    D3DLOCKED_RECT locked;
    bool saved = false;
    if (SUCCEEDED(surface->LockRect(&locked, nullptr, 0))) {
        for (UINT y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
            for (UINT x = 0; x < width; ++x) {
                row[x] = texels[y * width + x];
            }
        }
        surface->UnlockRect();
        saved = SUCCEEDED(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, surface, nullptr, nullptr));
    }
    surface->Release();
    return saved;
}

// Reads an image file as ARGB texels; false when it cannot be read.
inline bool LoadImageTexels(IDirect3DDevice9* device, const std::string& path, std::vector<DWORD>* texels,
                            UINT* width, UINT* height)
{
    D3DXIMAGE_INFO info;
    if (FAILED(D3DXGetImageInfoFromFileA(path.c_str(), &info))) {
        return false;
    }
    IDirect3DSurface9* surface = nullptr;
    if (FAILED(device->CreateOffscreenPlainSurface(info.Width, info.Height, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                   &surface, nullptr))) {
        return false;
    }
    bool loaded = false;
    if (SUCCEEDED(D3DXLoadSurfaceFromFileA(surface, nullptr, nullptr, path.c_str(), nullptr, D3DX_FILTER_NONE, 0,
                                           nullptr))) {
        D3DLOCKED_RECT locked;
        if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            texels->clear();
            for (UINT y = 0; y < info.Height; ++y) {
                const auto* row =
                    reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
                texels->insert(texels->end(), row, row + info.Width);
            }
            surface->UnlockRect();
            loaded = true;
        }
    }
    surface->Release();
    *width = info.Width;
    *height = info.Height;
    return loaded;
}

// The back buffer as ARGB texels; an X8R8G8B8 buffer reads with opaque alpha, since its
// unused byte is not part of the picture.
inline std::vector<DWORD> BackBufferTexels(IDirect3DDevice9* device, UINT* width, UINT* height)
{
    IDirect3DSurface9* back = nullptr;
    if (FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back))) {
        return {};
    }
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    std::vector<DWORD> texels = ReadRenderTarget(device, back);
    back->Release();
    if (desc.Format == D3DFMT_X8R8G8B8) {
        for (DWORD& texel : texels) {
            texel |= 0xFF000000u;
        }
    }
    *width = desc.Width;
    *height = desc.Height;
    return texels;
}

inline ::testing::AssertionResult BackBufferMatchesGolden(IDirect3DDevice9* device, const std::string& name)
{
    UINT width = 0;
    UINT height = 0;
    const std::vector<DWORD> actual = BackBufferTexels(device, &width, &height);
    if (actual.empty()) {
        return ::testing::AssertionFailure() << "the back buffer cannot be read";
    }
    const std::string golden = GoldenPath(name);
    if (UpdateGoldenRequested()) {
        if (!SaveImagePng(device, golden, actual, width, height)) {
            return ::testing::AssertionFailure() << "cannot write " << golden;
        }
        return ::testing::AssertionSuccess() << "rewrote " << golden;
    }
    std::vector<DWORD> expected;
    UINT goldenWidth = 0;
    UINT goldenHeight = 0;
    if (!LoadImageTexels(device, golden, &expected, &goldenWidth, &goldenHeight)) {
        return ::testing::AssertionFailure() << "cannot read " << golden << " (VESTRA_UPDATE_GOLDEN=1 writes it)";
    }
    if (goldenWidth != width || goldenHeight != height) {
        return ::testing::AssertionFailure() << golden << " is " << goldenWidth << "x" << goldenHeight
                                             << ", the back buffer " << width << "x" << height;
    }
    const ImageDifference difference = CompareImages(expected, actual, width);
    if (difference.count == 0) {
        return ::testing::AssertionSuccess();
    }
    const std::string out = GoldenOutputDir() + "/" + name;
    SaveImagePng(device, out + ".actual.png", actual, width, height);
    SaveImagePng(device, out + ".diff.png", DiffImage(expected, actual), width, height);
    char first[96];
    std::snprintf(first, sizeof first, "(%u, %u): expected 0x%08X, got 0x%08X", difference.firstX,
                  difference.firstY, static_cast<unsigned>(difference.expected),
                  static_cast<unsigned>(difference.actual));
    return ::testing::AssertionFailure() << difference.count << " pixels differ from " << golden
                                         << "; first at " << first << "; see " << out << ".actual.png and "
                                         << out << ".diff.png";
}

}  // namespace vestra::test
