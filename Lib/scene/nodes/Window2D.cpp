#include "scene/nodes/Window2D.h"

CWindow::CWindow() : vertices(new VERTEX2D[4]())
{
}

CWindow::~CWindow()
{
    delete[] vertices;
}

void CWindow::Destroy()
{
    delete this;
}

HRESULT CWindow::Create(IWindow* parent, const char* newTitle, RECT rect, D3DXCOLOR color)
{
    if (newTitle == nullptr) {
        return E_POINTER;
    }
    if (parent != nullptr) {
        RECT parentRect = {0, 0, 0, 0};
        parent->ProcessMessage(nullptr, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&parentRect));
        OffsetRect(&rect, parentRect.left, parentRect.top);
    }
    title = newTitle;
    const float l = static_cast<float>(rect.left);
    const float t = static_cast<float>(rect.top);
    const float r = static_cast<float>(rect.right);
    const float b = static_cast<float>(rect.bottom);
    // Clockwise on screen (y down): bottom-left, top-left, bottom-right, top-right.
    vertices[0].Set(D3DXVECTOR2(l, b), 1.0f, color, D3DXVECTOR2(0.0f, 1.0f));
    vertices[1].Set(D3DXVECTOR2(l, t), 1.0f, color, D3DXVECTOR2(0.0f, 0.0f));
    vertices[2].Set(D3DXVECTOR2(r, b), 1.0f, color, D3DXVECTOR2(1.0f, 1.0f));
    vertices[3].Set(D3DXVECTOR2(r, t), 1.0f, color, D3DXVECTOR2(1.0f, 0.0f));
    return S_OK;
}

LRESULT CWindow::ProcessMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCALCSIZE && wParam == 0 && lParam != 0) {
        RECT* rect = reinterpret_cast<RECT*>(lParam);
        rect->left = static_cast<LONG>(vertices[1].x);
        rect->top = static_cast<LONG>(vertices[1].y);
        rect->right = static_cast<LONG>(vertices[2].x);
        rect->bottom = static_cast<LONG>(vertices[2].y);
    }
    return 0;
}

HRESULT CWindow::Render(IDirect3DDevice9* device)
{
    device->SetFVF(VERTEX2D::FVF);
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(VERTEX2D));
}

LRESULT CWindow::ReservedHook(DWORD)
{
    return 0;
}
