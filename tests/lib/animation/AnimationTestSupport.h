// What the animation tests share: the draw counters of the headless device.
#pragma once

#include <gtest/gtest.h>

#include <d3dx9.h>

#include <VestraDeviceControl.h>

#include "support/HeadlessDevice.h"

namespace animation_test {

// The device's draw counters, zeroed at construction.
class DrawCounter {
public:
    explicit DrawCounter(IDirect3DDevice9* device)
    {
        device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control));
        control->ResetFrameStatistics();
    }
    ~DrawCounter() { control->Release(); }
    DrawCounter(const DrawCounter&) = delete;
    DrawCounter& operator=(const DrawCounter&) = delete;

    VESTRA_FRAME_STATISTICS Take()
    {
        VESTRA_FRAME_STATISTICS stats{};
        control->GetFrameStatistics(&stats);
        control->ResetFrameStatistics();
        return stats;
    }

private:
    IVestraDeviceControl* control = nullptr;
};

inline void ExpectVector(const D3DXVECTOR3& actual, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

} // namespace animation_test
