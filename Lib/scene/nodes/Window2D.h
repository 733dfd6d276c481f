// CWindow: the engine's IWindow. Its rectangle is fixed at creation, in screen pixels
// (a parent's offset already added), and it holds no device objects.
#pragma once
#include <string>
#include "IWindow.h"
#include "Vertices.h"

class CWindow : public IWindow {
public:
    CWindow();
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    void Destroy() override;
    LRESULT ProcessMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    HRESULT Render(IDirect3DDevice9* device) override;
    LRESULT ReservedHook(DWORD argument) override;
    // `rect` is relative to the parent's top-left corner (the screen when `parent` is null).
    // E_POINTER for a null title.
    virtual HRESULT Create(IWindow* parent, const char* title, RECT rect, D3DXCOLOR color);

    const VERTEX2D* Vertices() const { return vertices; }

private:
    std::string title;
    VERTEX2D* vertices;
};
