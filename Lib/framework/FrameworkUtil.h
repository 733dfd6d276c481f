// Small helpers of the application framework.
#pragma once

#include <windows.h>
#include <d3d9.h>

// Everything zero except diffuse and ambient, which both get (r, g, b, a).
void InitMaterial(D3DMATERIAL9& material, float r, float g, float b, float a);

// Copies at most `capacity` characters and always ends the destination with a terminator
// in its last place, cutting the source if need be. E_INVALIDARG for a null pointer or a
// capacity below 1.
HRESULT CopyStringCch(char* destination, const char* source, int capacity);
