// CRenderStateManager: IRenderStateManager over a D3DX matrix stack and one saved-value
// stack per render state. The scene gives it the device (and takes it away across device
// loss) and the view and projection of the current camera every frame.
#pragma once

#include <map>
#include <vector>

#include "IRenderStateManager.h"

class CRenderStateManager final : public IRenderStateManager {
public:
    // No device yet; the matrix stack holds the identity.
    CRenderStateManager();
    ~CRenderStateManager();
    CRenderStateManager(const CRenderStateManager&) = delete;
    CRenderStateManager& operator=(const CRenderStateManager&) = delete;

    const D3DXMATRIX* GetWorldMatrix() override;
    const D3DXMATRIX* GetViewMatrix() override;
    const D3DXMATRIX* GetProjectionMatrix() override;
    const D3DXMATRIX* GetWorldViewProjectionMatrix() override;
    const D3DXMATRIX* GetWorldViewMatrix() override;
    const D3DXMATRIX* GetInverseViewMatrix() override;
    const D3DXMATRIX* GetInverseWorldMatrix() override;
    HRESULT PushMatrix(const D3DXMATRIX* local) override;
    HRESULT PopMatrix() override;
    HRESULT PushRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT PopRenderState(D3DRENDERSTATETYPE state) override;
    HRESULT SetColorStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) override;
    HRESULT SetAlphaStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2) override;

    // Holds one reference on the new device (null allowed) and drops the former one.
    void SetDevice(IDirect3DDevice9* device);
    // Stores view and projection and derives view-projection and the inverse view; the
    // device is not touched (the camera sets its view and projection).
    void SetViewProjection(const D3DXMATRIX* view, const D3DXMATRIX* projection);

    // What is pushed and not yet popped: saved render-state values over all states, and
    // matrices above the stack's base. Both are 0 between frames when every push met its pop;
    // a pop with nothing pushed leaves the stack at its base but the depth below 0.
    size_t SavedStateCount() const;
    int MatrixDepth() const { return matrixDepth; }

private:
    HRESULT SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE opState, DWORD op, D3DTEXTURESTAGESTATETYPE arg1State,
                     DWORD arg1, D3DTEXTURESTAGESTATETYPE arg2State, DWORD arg2);

    // The engine's own ordering type keeps this map's template code out of the library's
    // exported symbols (an instantiation on platform types alone would be exported).
    struct StateOrder {
        bool operator()(D3DRENDERSTATETYPE a, D3DRENDERSTATETYPE b) const { return a < b; }
    };

    std::map<D3DRENDERSTATETYPE, std::vector<DWORD>, StateOrder> savedStates;
    IDirect3DDevice9* device = nullptr;
    ID3DXMatrixStack* matrixStack = nullptr;
    int matrixDepth = 0;
    D3DXMATRIX viewMatrix;
    D3DXMATRIX projMatrix;
    D3DXMATRIX viewProjMatrix;
    D3DXMATRIX worldViewProjMatrix;
    D3DXMATRIX worldViewMatrix;
    D3DXMATRIX inverseViewMatrix;
    D3DXMATRIX inverseWorldMatrix;
};
