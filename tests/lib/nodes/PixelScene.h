// A scene drawn on the 64 x 64 headless device and read back pixel by pixel, under a
// camera whose projection is easy to work out by hand: 90-degree field of view, square
// viewport, near 1, far 100. From an eye looking along +z with +y up, a point (x, y, z) in
// front of it at depth d lands on pixel (32 + 32 x / d, 32 - 32 y / d).
#pragma once
#include "lib/nodes/NodeTestSupport.h"

namespace nodes_test {

constexpr DWORD clearColor = 0xFF203040;

class PixelSceneTest : public SceneFixture {
protected:
    PixelSceneTest();

    // Places the camera at `eye` looking along `direction` (+y up, or +z up when looking
    // straight up or down).
    void LookFrom(D3DXVECTOR3 eye, D3DXVECTOR3 direction);
    // Clears, draws the scene bracketed and reads the back buffer into `pixels`.
    void Draw();
    // The pixel at (x, y) of the last Draw, without its unused alpha byte.
    DWORD At(int x, int y) const;
    // How many pixels of the last Draw have exactly `color` (alpha ignored).
    int Count(DWORD color) const;
    // A 4 x 4 image of one colour in the test folder; returns its file name.
    std::string Solid(const std::string& name, D3DCOLOR color);

    std::vector<DWORD> pixels;
};

} // namespace nodes_test
