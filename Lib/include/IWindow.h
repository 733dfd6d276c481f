// IWindow: a flat coloured rectangle in screen pixels, optionally nested in another window
// (its rectangle is then relative to the parent's top-left corner). Not a scene node: the
// host draws it with Render under the texture and states it has set.
//
// A plain interface: no reference count. The caller of CreateWindow2D owns the window and
// ends it with Destroy (or hands it to the application, which destroys it).
#pragma once
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>
#include "VestraExport.h"

class IWindow {
public:
    virtual void Destroy() = 0;
    // Only WM_NCCALCSIZE with wParam 0 is answered: the RECT at lParam receives the window's
    // rectangle in screen pixels. Always returns 0; the window handle is not used.
    virtual LRESULT ProcessMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // SetFVF then one two-triangle strip; returns the draw's result.
    virtual HRESULT Render(IDirect3DDevice9* device) = 0;
    // Unused slot, kept for binary layout: returns 0.
    virtual LRESULT ReservedHook(DWORD argument) = 0;

protected:
    ~IWindow() = default;
};

// Null when the window could not be made; `title` must not be null, `parent` may be.
VESTRA_API IWindow* CreateWindow2D(IWindow* parent, const char* title, RECT rect, D3DXCOLOR color);
