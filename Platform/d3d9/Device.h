// IDirect3DDevice9: the software device. Its methods are spread over several files by
// area (Device*.cpp); the pipeline state itself is plain data in DeviceState.
#pragma once

#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

#include "VestraDeviceControl.h"
#include "d3d9/DeviceChild.h"
#include "d3d9/DeviceControl.h"
#include "d3d9/DeviceState.h"
#include "d3d9/DrawRequest.h"
#include "d3d9/raster/Pipeline.h"

namespace vestra::d3d9 {

class CDirect3D9;
class CStateBlock;
struct StateMask;
class CSwapChain;
class CSurface;
class DeviceChild;
class Presenter;

class CDevice final : public IDirect3DDevice9 {
public:
    // Checks the arguments of IDirect3D9::CreateDevice and creates the device.
    static HRESULT Create(CDirect3D9* direct3D, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                          D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device);

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // Device, display, swap chains (Device.cpp, DevicePresent.cpp)
    STDMETHOD(TestCooperativeLevel)() override;
    STDMETHOD_(UINT, GetAvailableTextureMem)() override;
    STDMETHOD(EvictManagedResources)() override;
    STDMETHOD(GetDirect3D)(IDirect3D9** direct3D) override;
    STDMETHOD(GetDeviceCaps)(D3DCAPS9* caps) override;
    STDMETHOD(GetDisplayMode)(UINT swapChain, D3DDISPLAYMODE* mode) override;
    STDMETHOD(GetCreationParameters)(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    STDMETHOD(SetCursorProperties)(UINT hotSpotX, UINT hotSpotY, IDirect3DSurface9* cursorBitmap) override;
    STDMETHOD_(void, SetCursorPosition)(int x, int y, DWORD flags) override;
    STDMETHOD_(BOOL, ShowCursor)(BOOL show) override;
    STDMETHOD(CreateAdditionalSwapChain)(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** swapChain) override;
    STDMETHOD(GetSwapChain)(UINT index, IDirect3DSwapChain9** swapChain) override;
    STDMETHOD_(UINT, GetNumberOfSwapChains)() override;
    STDMETHOD(Reset)(D3DPRESENT_PARAMETERS* parameters) override;
    STDMETHOD(Present)(CONST RECT* sourceRect, CONST RECT* destRect, HWND destWindowOverride,
                       CONST RGNDATA* dirtyRegion) override;
    STDMETHOD(GetBackBuffer)(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type,
                             IDirect3DSurface9** surface) override;
    STDMETHOD(GetRasterStatus)(UINT swapChain, D3DRASTER_STATUS* status) override;
    STDMETHOD(SetDialogBoxMode)(BOOL enableDialogs) override;
    STDMETHOD_(void, SetGammaRamp)(UINT swapChain, DWORD flags, CONST D3DGAMMARAMP* ramp) override;
    STDMETHOD_(void, GetGammaRamp)(UINT swapChain, D3DGAMMARAMP* ramp) override;

    // Resource creation (DeviceResources.cpp)
    STDMETHOD(CreateTexture)(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                             IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    STDMETHOD(CreateVolumeTexture)(UINT width, UINT height, UINT depth, UINT levels, DWORD usage, D3DFORMAT format,
                                   D3DPOOL pool, IDirect3DVolumeTexture9** texture, HANDLE* sharedHandle) override;
    STDMETHOD(CreateCubeTexture)(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                 IDirect3DCubeTexture9** texture, HANDLE* sharedHandle) override;
    STDMETHOD(CreateVertexBuffer)(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                  IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) override;
    STDMETHOD(CreateIndexBuffer)(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                 IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) override;
    STDMETHOD(CreateRenderTarget)(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                  DWORD multisampleQuality, BOOL lockable, IDirect3DSurface9** surface,
                                  HANDLE* sharedHandle) override;
    STDMETHOD(CreateDepthStencilSurface)(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                         DWORD multisampleQuality, BOOL discard, IDirect3DSurface9** surface,
                                         HANDLE* sharedHandle) override;
    STDMETHOD(CreateOffscreenPlainSurface)(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                           IDirect3DSurface9** surface, HANDLE* sharedHandle) override;
    STDMETHOD(CreateVertexDeclaration)(CONST D3DVERTEXELEMENT9* elements,
                                       IDirect3DVertexDeclaration9** declaration) override;
    STDMETHOD(CreateStateBlock)(D3DSTATEBLOCKTYPE type, IDirect3DStateBlock9** stateBlock) override;
    STDMETHOD(CreateQuery)(D3DQUERYTYPE type, IDirect3DQuery9** query) override;
    STDMETHOD(CreateVertexShader)(CONST DWORD* function, IDirect3DVertexShader9** shader) override;
    STDMETHOD(CreatePixelShader)(CONST DWORD* function, IDirect3DPixelShader9** shader) override;

    // Copies between surfaces and clearing (DeviceCopies.cpp)
    STDMETHOD(UpdateSurface)(IDirect3DSurface9* source, CONST RECT* sourceRect, IDirect3DSurface9* destination,
                             CONST POINT* destPoint) override;
    STDMETHOD(UpdateTexture)(IDirect3DBaseTexture9* source, IDirect3DBaseTexture9* destination) override;
    STDMETHOD(GetRenderTargetData)(IDirect3DSurface9* renderTarget, IDirect3DSurface9* destination) override;
    STDMETHOD(GetFrontBufferData)(UINT swapChain, IDirect3DSurface9* destination) override;
    STDMETHOD(StretchRect)(IDirect3DSurface9* source, CONST RECT* sourceRect, IDirect3DSurface9* destination,
                           CONST RECT* destRect, D3DTEXTUREFILTERTYPE filter) override;
    STDMETHOD(ColorFill)(IDirect3DSurface9* surface, CONST RECT* rect, D3DCOLOR color) override;
    STDMETHOD(Clear)(DWORD count, CONST D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                     DWORD stencil) override;

    // Targets and bindings (DeviceBindings.cpp)
    STDMETHOD(SetRenderTarget)(DWORD index, IDirect3DSurface9* renderTarget) override;
    STDMETHOD(GetRenderTarget)(DWORD index, IDirect3DSurface9** renderTarget) override;
    STDMETHOD(SetDepthStencilSurface)(IDirect3DSurface9* depthStencil) override;
    STDMETHOD(GetDepthStencilSurface)(IDirect3DSurface9** depthStencil) override;
    STDMETHOD(GetTexture)(DWORD stage, IDirect3DBaseTexture9** texture) override;
    STDMETHOD(SetTexture)(DWORD stage, IDirect3DBaseTexture9* texture) override;
    STDMETHOD(SetVertexDeclaration)(IDirect3DVertexDeclaration9* declaration) override;
    STDMETHOD(GetVertexDeclaration)(IDirect3DVertexDeclaration9** declaration) override;
    STDMETHOD(SetFVF)(DWORD fvf) override;
    STDMETHOD(GetFVF)(DWORD* fvf) override;
    STDMETHOD(SetStreamSource)(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
    STDMETHOD(GetStreamSource)(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) override;
    STDMETHOD(SetStreamSourceFreq)(UINT stream, UINT setting) override;
    STDMETHOD(GetStreamSourceFreq)(UINT stream, UINT* setting) override;
    STDMETHOD(SetIndices)(IDirect3DIndexBuffer9* indices) override;
    STDMETHOD(GetIndices)(IDirect3DIndexBuffer9** indices) override;
    STDMETHOD(SetVertexShader)(IDirect3DVertexShader9* shader) override;
    STDMETHOD(GetVertexShader)(IDirect3DVertexShader9** shader) override;
    STDMETHOD(SetPixelShader)(IDirect3DPixelShader9* shader) override;
    STDMETHOD(GetPixelShader)(IDirect3DPixelShader9** shader) override;
    STDMETHOD(SetVertexShaderConstantF)(UINT start, CONST float* data, UINT count) override;
    STDMETHOD(GetVertexShaderConstantF)(UINT start, float* data, UINT count) override;
    STDMETHOD(SetVertexShaderConstantI)(UINT start, CONST int* data, UINT count) override;
    STDMETHOD(GetVertexShaderConstantI)(UINT start, int* data, UINT count) override;
    STDMETHOD(SetVertexShaderConstantB)(UINT start, CONST BOOL* data, UINT count) override;
    STDMETHOD(GetVertexShaderConstantB)(UINT start, BOOL* data, UINT count) override;
    STDMETHOD(SetPixelShaderConstantF)(UINT start, CONST float* data, UINT count) override;
    STDMETHOD(GetPixelShaderConstantF)(UINT start, float* data, UINT count) override;
    STDMETHOD(SetPixelShaderConstantI)(UINT start, CONST int* data, UINT count) override;
    STDMETHOD(GetPixelShaderConstantI)(UINT start, int* data, UINT count) override;
    STDMETHOD(SetPixelShaderConstantB)(UINT start, CONST BOOL* data, UINT count) override;
    STDMETHOD(GetPixelShaderConstantB)(UINT start, BOOL* data, UINT count) override;

    // Fixed-function state (DeviceRenderStates.cpp)
    STDMETHOD(SetTransform)(D3DTRANSFORMSTATETYPE state, CONST D3DMATRIX* matrix) override;
    STDMETHOD(GetTransform)(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    STDMETHOD(MultiplyTransform)(D3DTRANSFORMSTATETYPE state, CONST D3DMATRIX* matrix) override;
    STDMETHOD(SetViewport)(CONST D3DVIEWPORT9* viewport) override;
    STDMETHOD(GetViewport)(D3DVIEWPORT9* viewport) override;
    STDMETHOD(SetMaterial)(CONST D3DMATERIAL9* material) override;
    STDMETHOD(GetMaterial)(D3DMATERIAL9* material) override;
    STDMETHOD(SetLight)(DWORD index, CONST D3DLIGHT9* light) override;
    STDMETHOD(GetLight)(DWORD index, D3DLIGHT9* light) override;
    STDMETHOD(LightEnable)(DWORD index, BOOL enable) override;
    STDMETHOD(GetLightEnable)(DWORD index, BOOL* enable) override;
    STDMETHOD(SetClipPlane)(DWORD index, CONST float* plane) override;
    STDMETHOD(GetClipPlane)(DWORD index, float* plane) override;
    STDMETHOD(SetRenderState)(D3DRENDERSTATETYPE state, DWORD value) override;
    STDMETHOD(GetRenderState)(D3DRENDERSTATETYPE state, DWORD* value) override;
    STDMETHOD(SetClipStatus)(CONST D3DCLIPSTATUS9* clipStatus) override;
    STDMETHOD(GetClipStatus)(D3DCLIPSTATUS9* clipStatus) override;
    STDMETHOD(GetTextureStageState)(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    STDMETHOD(SetTextureStageState)(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    STDMETHOD(GetSamplerState)(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
    STDMETHOD(SetSamplerState)(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    STDMETHOD(SetScissorRect)(CONST RECT* rect) override;
    STDMETHOD(GetScissorRect)(RECT* rect) override;

    // State blocks (DeviceStateBlocks.cpp)
    STDMETHOD(BeginStateBlock)() override;
    STDMETHOD(EndStateBlock)(IDirect3DStateBlock9** stateBlock) override;

    // Drawing (DeviceDraw.cpp)
    STDMETHOD(BeginScene)() override;
    STDMETHOD(EndScene)() override;
    STDMETHOD(ValidateDevice)(DWORD* passes) override;
    STDMETHOD(DrawPrimitive)(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    STDMETHOD(DrawIndexedPrimitive)(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                    UINT numVertices, UINT startIndex, UINT primitiveCount) override;
    STDMETHOD(DrawPrimitiveUP)(D3DPRIMITIVETYPE type, UINT primitiveCount, CONST void* vertexData,
                               UINT stride) override;
    STDMETHOD(DrawIndexedPrimitiveUP)(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                      UINT primitiveCount, CONST void* indexData, D3DFORMAT indexFormat,
                                      CONST void* vertexData, UINT stride) override;
    STDMETHOD(ProcessVertices)(UINT srcStartIndex, UINT destIndex, UINT vertexCount,
                               IDirect3DVertexBuffer9* destBuffer, IDirect3DVertexDeclaration9* declaration,
                               DWORD flags) override;
    STDMETHOD(DrawRectPatch)(UINT handle, CONST float* segments, CONST D3DRECTPATCH_INFO* info) override;
    STDMETHOD(DrawTriPatch)(UINT handle, CONST float* segments, CONST D3DTRIPATCH_INFO* info) override;
    STDMETHOD(DeletePatch)(UINT handle) override;

    // Legacy and seldom-used state (Device.cpp)
    STDMETHOD(SetPaletteEntries)(UINT paletteNumber, CONST PALETTEENTRY* entries) override;
    STDMETHOD(GetPaletteEntries)(UINT paletteNumber, PALETTEENTRY* entries) override;
    STDMETHOD(SetCurrentTexturePalette)(UINT paletteNumber) override;
    STDMETHOD(GetCurrentTexturePalette)(UINT* paletteNumber) override;
    STDMETHOD(SetSoftwareVertexProcessing)(BOOL software) override;
    STDMETHOD_(BOOL, GetSoftwareVertexProcessing)() override;
    STDMETHOD(SetNPatchMode)(float segments) override;
    STDMETHOD_(float, GetNPatchMode)() override;

    // ---- Internal interface for the device's own objects ----
    void RegisterChild(DeviceChild* child);
    void UnregisterChild(DeviceChild* child);
    DeviceState& State() { return state_; }
    const DeviceState& State() const { return state_; }
    // Frame presentation for the implicit and additional swap chains.
    HRESULT PresentSwapChain(CSwapChain& swapChain, const RECT* sourceRect, const RECT* destRect,
                             HWND overrideWindow);
    // Palette entries as 256 x 4 bytes (red, green, blue, flags), null if never set.
    const BYTE* Palette(UINT number) const;

    // Rasterizes the draws queued so far (DeviceDraw.cpp). Called before anything reads or
    // changes memory a queued draw reads or writes: locks, copies, clears, presentation,
    // target changes, the destruction of a resource, Reset, statistics.
    void FlushDraws();

    // Control extension (DeviceControl.cpp)
    HRESULT LoseDevice(UINT lostPolls);
    VESTRA_FRAME_STATISTICS& Statistics() { return stats_; }
    UINT LiveResourceCount(D3DPOOL pool) const;
    const VESTRA_CURSOR_STATE& CursorState() const { return cursor_; }

private:
    enum class Cooperation { Operational, Lost, NotReset };

    CDevice(CDirect3D9* direct3D, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior);
    ~CDevice();

    // Fills in the defaults of a present-parameters block and checks it (CreateDevice,
    // Reset, CreateAdditionalSwapChain); also makes the presenter for its window.
    HRESULT ResolvePresentParameters(D3DPRESENT_PARAMETERS& parameters, std::unique_ptr<Presenter>& presenter) const;
    // Creates the implicit swap chain and automatic depth-stencil surface for `parameters`
    // and puts the device state to its defaults.
    void BuildPresentation(const D3DPRESENT_PARAMETERS& parameters, std::unique_ptr<Presenter> presenter);
    void ReleasePresentation();
    // Drops every binding (internal references) from the state.
    void UnbindAll();
    bool IsLost() const { return cooperation_ != Cooperation::Operational; }

    // The state Set* calls write: the device's, or while a state block is being recorded,
    // the block's (the device's own state does not change while recording).
    DeviceState& Target();
    // The mask of the block being recorded, null when not recording.
    StateMask* Recording();

    // Checks shared by every draw call: scene, vertex format.
    HRESULT CheckDrawPreconditions() const;
    // Where a validated draw is handed on to the rasterizer pipeline.
    void SubmitDraw(const DrawRequest& request);
    CVertexDeclaration* DeclarationForFvf(DWORD fvf);

    // This device's surface behind an interface pointer, or null.
    CSurface* SurfaceOf(IDirect3DSurface9* surface);
    CSurface* TargetOf(DWORD index) const { return index == 0 ? state_.renderTarget : nullptr; }

    ULONG refs_ = 1;
    CDirect3D9* direct3D_;
    D3DDEVICE_CREATION_PARAMETERS creation_;
    D3DPRESENT_PARAMETERS presentation_{};
    CDeviceControl control_;

    DeviceState state_{};
    CSwapChain* swapChain_ = nullptr;  // implicit swap chain, internal reference
    CSurface* autoDepthStencil_ = nullptr;  // internal reference, null without one
    std::map<DWORD, CVertexDeclaration*> fvfDeclarations_;  // internal references
    std::unordered_set<DeviceChild*> children_;
    std::map<UINT, std::vector<BYTE>> palettes_;

    CStateBlock* recording_ = nullptr;  // the block BeginStateBlock started, public reference
    Cooperation cooperation_ = Cooperation::Operational;
    UINT lostPollsLeft_ = 0;
    // Lost through the control extension (the application cannot reset yet) rather than
    // through a failed Reset (it may retry at once).
    bool lossForced_ = false;
    bool inScene_ = false;

    VESTRA_FRAME_STATISTICS stats_{};
    std::vector<D3DLIGHT9> enabledLights_;  // scratch of SubmitDraw, kept to reuse its storage
    // Draws go in at submission with their vertices processed and come out as pixels at
    // the next flush point, so a whole scene is rasterized in one pass over all cores.
    raster::DrawQueue queue_;
    VESTRA_CURSOR_STATE cursor_{};
    D3DGAMMARAMP gammaRamp_{};
    BOOL dialogBoxMode_ = FALSE;
};

}  // namespace vestra::d3d9
