#include "core/ColorPacking.h"

namespace {

DWORD PackChannel(float channel)
{
    if (channel >= 1.0f) {
        return 255;
    }
    if (channel > 0.0f) {
        return static_cast<DWORD>(channel * 255.0f + 0.5f);
    }
    return 0;
}

} // namespace

D3DCOLOR PackColor(const D3DXCOLOR& color)
{
    return (PackChannel(color.a) << 24) | (PackChannel(color.r) << 16) | (PackChannel(color.g) << 8) |
           PackChannel(color.b);
}
