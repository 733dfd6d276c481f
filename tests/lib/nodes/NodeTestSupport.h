// What the node tests share: a scene on a headless device, a folder of generated images,
// device statistics and state snapshots.
#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "IScene.h"
#include "NodeFactories.h"
#include "VestraDeviceControl.h"
#include "lib/DeviceQueries.h"
#include "lib/resources/ResourceTestSupport.h"

namespace nodes_test {

// Colour of frame i in the strips WriteStrip makes (opaque, distinct per frame).
D3DCOLOR FrameColor(int frame);

// Writes a width x height PNG whose texel (x, y) is texel(x, y).
void WriteImage(IDirect3DDevice9* device, const std::string& path, UINT width, UINT height,
                const std::function<D3DCOLOR(UINT, UINT)>& texel);

// Writes a PNG of width x height whose columns [i*height, (i+1)*height) are FrameColor(i).
void WriteStrip(IDirect3DDevice9* device, const std::string& path, UINT width, UINT height);

// The texel at (x, y) of level 0 of a texture, read through a lock.
D3DCOLOR Texel(IDirect3DTexture9* texture, UINT x, UINT y);

// Render states a drawing node may touch, read back from the device.
std::vector<DWORD> StateSnapshot(IDirect3DDevice9* device);

// Every render state, texture stage state (stages 0 to 7), sampler state (samplers 0 to 3)
// and transform (world, view, projection, texture 0 to 7) of the device, each tagged with
// what it is so that a mismatch names the state.
std::vector<std::pair<std::string, DWORD>> FullStateSnapshot(IDirect3DDevice9* device);

class SceneFixture : public ::testing::Test {
protected:
    SceneFixture();
    ~SceneFixture() override;

    // Draws the scene once (bracketed with BeginScene/EndScene) and returns the draw calls
    // the device counted.
    UINT RenderAndCountDraws();
    UINT LiveDefaultPoolResources();
    std::string Reference() const { return folder / "scene.x"; }

    resources_test::TempFolder folder;
    vestra::test::HeadlessDevice device{64, 64};
    ULONG deviceCountBefore = 0;
    IVestraDeviceControl* control = nullptr;
    IScene* scene = nullptr;
};

} // namespace nodes_test
