#include "framework/FrameworkUtil.h"

#include <cstring>

void InitMaterial(D3DMATERIAL9& material, float r, float g, float b, float a) {
    std::memset(&material, 0, sizeof material);
    material.Diffuse = {r, g, b, a};
    material.Ambient = material.Diffuse;
}

HRESULT CopyStringCch(char* destination, const char* source, int capacity) {
    if (!destination || !source || capacity < 1) return E_INVALIDARG;
    std::strncpy(destination, source, static_cast<size_t>(capacity));
    destination[capacity - 1] = '\0';
    return S_OK;
}
