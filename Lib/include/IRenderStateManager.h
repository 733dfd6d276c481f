// IRenderStateManager: the world-matrix stack and the save/restore of device render states
// that drawing nodes go through, so the device state is balanced after every node.
//
// A plain interface: no reference count, no query. The scene owns its manager and deletes
// it in IScene::Cleanup.
//
// The returned matrix pointers stay valid for the manager's life; the matrices behind them
// change with later calls. Derived matrices (world-view, world-view-projection, inverse
// world) describe the top of the most recent PushMatrix and are not recomputed by a pop.
//
// While the manager has no device (between device loss and restore) PushMatrix, the
// render-state pushes and pops and the stage shortcuts return E_FAIL without touching the
// saved states or the matrix stack.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

class IRenderStateManager {
public:
    virtual const D3DXMATRIX* GetWorldMatrix() = 0;
    virtual const D3DXMATRIX* GetViewMatrix() = 0;
    virtual const D3DXMATRIX* GetProjectionMatrix() = 0;
    virtual const D3DXMATRIX* GetWorldViewProjectionMatrix() = 0;
    virtual const D3DXMATRIX* GetWorldViewMatrix() = 0;
    virtual const D3DXMATRIX* GetInverseViewMatrix() = 0;
    virtual const D3DXMATRIX* GetInverseWorldMatrix() = 0;
    // New top = local * former top (identity for a null local); the device's world
    // transform follows the top.
    virtual HRESULT PushMatrix(const D3DXMATRIX* local) = 0;
    virtual HRESULT PopMatrix() = 0;
    // Saves the device's current value of the state on that state's own stack, then sets
    // the new value. Pops restore in reverse order; a pop with nothing saved is E_INVALIDARG.
    virtual HRESULT PushRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT PopRenderState(D3DRENDERSTATETYPE state) = 0;
    // Colour or alpha operation of a texture stage with its two arguments; former values are
    // not saved. S_OK whatever the device answers.
    virtual HRESULT SetColorStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) = 0;
    virtual HRESULT SetAlphaStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) = 0;

protected:
    ~IRenderStateManager() = default;
};
