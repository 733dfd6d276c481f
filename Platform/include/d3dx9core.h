// D3DX 9 core: the generic data buffer (ID3DXBuffer) and the version check.
#pragma once

#include "d3d9.h"

// The D3DX release this stand-in follows.
#define D3DX_VERSION 0x0902
#define D3DX_SDK_VERSION 27

// TRUE when the caller was built against the same Direct3D and D3DX releases.
WINPLATFORMAPI BOOL WINAPI D3DXCheckVersion(UINT D3DSdkVersion, UINT D3DXSdkVersion);

typedef interface ID3DXBuffer ID3DXBuffer;
typedef interface ID3DXBuffer* LPD3DXBUFFER;

DEFINE_GUID(IID_ID3DXBuffer, 0x8ba5fb08, 0x5195, 0x40e2, 0xac, 0x58, 0x0d, 0x98, 0x9c, 0x3a, 0x01, 0x02);

#undef INTERFACE
#define INTERFACE ID3DXBuffer

// A reference-counted block of bytes that D3DX hands out (compiled code, adjacency,
// materials, error messages).
DECLARE_INTERFACE_(ID3DXBuffer, IUnknown) {
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, LPVOID* ppv) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;

    STDMETHOD_(LPVOID, GetBufferPointer)(THIS) PURE;
    STDMETHOD_(DWORD, GetBufferSize)(THIS) PURE;
};

#undef INTERFACE

// A zero-filled buffer of NumBytes bytes.
WINPLATFORMAPI HRESULT WINAPI D3DXCreateBuffer(DWORD NumBytes, LPD3DXBUFFER* ppBuffer);
