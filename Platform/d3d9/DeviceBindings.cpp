// Render targets, textures, vertex formats, streams, indices and (fixed-function only)
// shaders. Every bound object carries an internal reference while it stays bound.
#include <cstring>

#include "d3d9/CubeTexture.h"
#include "d3d9/Device.h"
#include "d3d9/IndexBuffer.h"
#include "d3d9/StateMask.h"
#include "d3d9/Texture.h"
#include "d3d9/VertexBuffer.h"
#include "d3d9/VertexDeclaration.h"
#include "d3d9/VertexFormat.h"
#include "d3d9/VolumeTexture.h"

namespace vestra::d3d9 {

CSurface* CDevice::SurfaceOf(IDirect3DSurface9* surface) { return FromInterface<CSurface>(this, surface); }

HRESULT CDevice::SetRenderTarget(DWORD index, IDirect3DSurface9* renderTarget) {
    if (index >= 1) return D3DERR_INVALIDCALL;
    CSurface* surface = SurfaceOf(renderTarget);
    if (!surface || !(surface->Desc().Usage & D3DUSAGE_RENDERTARGET)) return D3DERR_INVALIDCALL;
    FlushDraws();
    Rebind(state_.renderTarget, surface);
    // A new target 0 brings a viewport and scissor rectangle covering all of it.
    const D3DSURFACE_DESC& desc = surface->Desc();
    state_.viewport = {0, 0, desc.Width, desc.Height, 0.0f, 1.0f};
    state_.scissorRect = {0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetRenderTarget(DWORD index, IDirect3DSurface9** renderTarget) {
    if (!renderTarget) return D3DERR_INVALIDCALL;
    *renderTarget = nullptr;
    if (index >= 1) return D3DERR_INVALIDCALL;
    CSurface* surface = TargetOf(index);
    if (!surface) return D3DERR_NOTFOUND;
    surface->AddRef();
    *renderTarget = surface;
    return D3D_OK;
}

HRESULT CDevice::SetDepthStencilSurface(IDirect3DSurface9* depthStencil) {
    CSurface* surface = nullptr;
    if (depthStencil) {
        surface = SurfaceOf(depthStencil);
        if (!surface || !(surface->Desc().Usage & D3DUSAGE_DEPTHSTENCIL)) return D3DERR_INVALIDCALL;
    }
    FlushDraws();
    Rebind(state_.depthStencil, surface);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetDepthStencilSurface(IDirect3DSurface9** depthStencil) {
    if (!depthStencil) return D3DERR_INVALIDCALL;
    *depthStencil = state_.depthStencil;
    if (!state_.depthStencil) return D3DERR_NOTFOUND;
    state_.depthStencil->AddRef();
    return D3D_OK;
}

HRESULT CDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (stage >= kSamplerCount) return D3DERR_INVALIDCALL;
    if (texture) {
        DeviceChild* child = FromInterface<DeviceChild>(this, texture);
        // Scratch resources can be locked but never bound.
        if (!child || child->Pool() == D3DPOOL_SCRATCH || child->Pool() == D3DPOOL_SYSTEMMEM)
            return D3DERR_INVALIDCALL;
    }
    RebindTexture(Target().textures[stage], texture);
    if (StateMask* mask = Recording()) mask->textures.set(stage);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) {
    if (!texture || stage >= kSamplerCount) return D3DERR_INVALIDCALL;
    *texture = state_.textures[stage];
    if (*texture) (*texture)->AddRef();
    return D3D_OK;
}

CVertexDeclaration* CDevice::DeclarationForFvf(DWORD fvf) {
    auto it = fvfDeclarations_.find(fvf);
    if (it != fvfDeclarations_.end()) return it->second;
    std::vector<D3DVERTEXELEMENT9> elements;
    if (!FvfToDeclaration(fvf, elements)) return nullptr;
    auto* declaration = new CVertexDeclaration(this, ChildKind::Implicit, std::move(elements));
    fvfDeclarations_.emplace(fvf, declaration);
    return declaration;
}

HRESULT CDevice::SetFVF(DWORD fvf) {
    // FVF 0 leaves the declaration unset; any other code must be a valid FVF.
    CVertexDeclaration* declaration = nullptr;
    if (fvf != 0) {
        declaration = DeclarationForFvf(fvf);
        if (!declaration) return D3DERR_INVALIDCALL;
    }
    Rebind(Target().declaration, declaration);
    Target().fvf = fvf;
    if (StateMask* mask = Recording()) mask->vertexFormat = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetFVF(DWORD* fvf) {
    if (!fvf) return D3DERR_INVALIDCALL;
    *fvf = state_.fvf;
    return D3D_OK;
}

HRESULT CDevice::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    CVertexDeclaration* ours = nullptr;
    if (declaration) {
        ours = FromInterface<CVertexDeclaration>(this, declaration);
        if (!ours) return D3DERR_INVALIDCALL;
    }
    Rebind(Target().declaration, ours);
    Target().fvf = ours ? ours->Fvf() : 0;
    if (StateMask* mask = Recording()) mask->vertexFormat = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetVertexDeclaration(IDirect3DVertexDeclaration9** declaration) {
    if (!declaration) return D3DERR_INVALIDCALL;
    *declaration = state_.declaration;
    if (state_.declaration) state_.declaration->AddRef();
    return D3D_OK;
}

HRESULT CDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
    if (stream >= kStreamCount) return D3DERR_INVALIDCALL;
    CVertexBuffer* ours = nullptr;
    if (buffer) {
        ours = FromInterface<CVertexBuffer>(this, buffer);
        if (!ours || ours->Pool() == D3DPOOL_SCRATCH || offset % 4 != 0) return D3DERR_INVALIDCALL;
    }
    StreamBinding& binding = Target().streams[stream];
    Rebind(binding.buffer, ours);
    binding.offset = ours ? offset : 0;
    binding.stride = ours ? stride : 0;
    if (StateMask* mask = Recording()) mask->streams.set(stream);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetStreamSource(UINT stream, IDirect3DVertexBuffer9** buffer, UINT* offset, UINT* stride) {
    if (stream >= kStreamCount || !buffer || !offset || !stride) return D3DERR_INVALIDCALL;
    const StreamBinding& binding = state_.streams[stream];
    *buffer = binding.buffer;
    if (binding.buffer) binding.buffer->AddRef();
    *offset = binding.offset;
    *stride = binding.stride;
    return D3D_OK;
}

// Instancing needs several streams; with stream 0 alone only the default frequency (1)
// is meaningful.
HRESULT CDevice::SetStreamSourceFreq(UINT stream, UINT setting) {
    if (stream >= kStreamCount || setting == 0) return D3DERR_INVALIDCALL;
    Target().streams[stream].frequency = setting;
    if (StateMask* mask = Recording()) mask->streamFrequencies.set(stream);
    return D3D_OK;
}

HRESULT CDevice::GetStreamSourceFreq(UINT stream, UINT* setting) {
    if (stream >= kStreamCount || !setting) return D3DERR_INVALIDCALL;
    *setting = state_.streams[stream].frequency;
    return D3D_OK;
}

HRESULT CDevice::SetIndices(IDirect3DIndexBuffer9* indices) {
    CIndexBuffer* ours = nullptr;
    if (indices) {
        ours = FromInterface<CIndexBuffer>(this, indices);
        if (!ours || ours->Pool() == D3DPOOL_SCRATCH) return D3DERR_INVALIDCALL;
    }
    Rebind(Target().indices, ours);
    if (StateMask* mask = Recording()) mask->indices = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetIndices(IDirect3DIndexBuffer9** indices) {
    if (!indices) return D3DERR_INVALIDCALL;
    *indices = state_.indices;
    if (state_.indices) state_.indices->AddRef();
    return D3D_OK;
}

// The device runs the fixed-function pipeline only: no shader is ever created, so the only
// shader that can be set is none.
HRESULT CDevice::SetVertexShader(IDirect3DVertexShader9* shader) { return shader ? D3DERR_INVALIDCALL : D3D_OK; }

HRESULT CDevice::GetVertexShader(IDirect3DVertexShader9** shader) {
    if (!shader) return D3DERR_INVALIDCALL;
    *shader = nullptr;
    return D3D_OK;
}

HRESULT CDevice::SetPixelShader(IDirect3DPixelShader9* shader) { return shader ? D3DERR_INVALIDCALL : D3D_OK; }

HRESULT CDevice::GetPixelShader(IDirect3DPixelShader9** shader) {
    if (!shader) return D3DERR_INVALIDCALL;
    *shader = nullptr;
    return D3D_OK;
}

namespace {

// Shader constants are kept even without shaders (effects set them regardless).
template <class T, size_t Registers, size_t Width>
HRESULT WriteConstants(T (&registers)[Registers][Width], std::bitset<Registers>* recorded, UINT start,
                       const T* data, UINT count) {
    if (!data || start > Registers || count > Registers - start) return D3DERR_INVALIDCALL;
    std::memcpy(registers[start], data, sizeof(T) * Width * count);
    for (UINT i = 0; recorded && i < count; ++i) recorded->set(start + i);
    return D3D_OK;
}

template <class T, size_t Registers, size_t Width>
HRESULT ReadConstants(const T (&registers)[Registers][Width], UINT start, T* data, UINT count) {
    if (!data || start > Registers || count > Registers - start) return D3DERR_INVALIDCALL;
    std::memcpy(data, registers[start], sizeof(T) * Width * count);
    return D3D_OK;
}

template <size_t Registers>
HRESULT WriteBools(BOOL (&registers)[Registers], std::bitset<Registers>* recorded, UINT start, const BOOL* data,
                   UINT count) {
    if (!data || start > Registers || count > Registers - start) return D3DERR_INVALIDCALL;
    std::memcpy(registers + start, data, sizeof(BOOL) * count);
    for (UINT i = 0; recorded && i < count; ++i) recorded->set(start + i);
    return D3D_OK;
}

template <size_t Registers>
HRESULT ReadBools(const BOOL (&registers)[Registers], UINT start, BOOL* data, UINT count) {
    if (!data || start > Registers || count > Registers - start) return D3DERR_INVALIDCALL;
    std::memcpy(data, registers + start, sizeof(BOOL) * count);
    return D3D_OK;
}

}  // namespace

HRESULT CDevice::SetVertexShaderConstantF(UINT start, CONST float* data, UINT count) {
    StateMask* mask = Recording();
    return WriteConstants(Target().vertexShaderConstantsF, mask ? &mask->vertexConstantsF : nullptr, start, data, count);
}
HRESULT CDevice::GetVertexShaderConstantF(UINT start, float* data, UINT count) {
    return ReadConstants(state_.vertexShaderConstantsF, start, data, count);
}
HRESULT CDevice::SetVertexShaderConstantI(UINT start, CONST int* data, UINT count) {
    StateMask* mask = Recording();
    return WriteConstants(Target().vertexShaderConstantsI, mask ? &mask->vertexConstantsI : nullptr, start, data, count);
}
HRESULT CDevice::GetVertexShaderConstantI(UINT start, int* data, UINT count) {
    return ReadConstants(state_.vertexShaderConstantsI, start, data, count);
}
HRESULT CDevice::SetVertexShaderConstantB(UINT start, CONST BOOL* data, UINT count) {
    StateMask* mask = Recording();
    return WriteBools(Target().vertexShaderConstantsB, mask ? &mask->vertexConstantsB : nullptr, start, data, count);
}
HRESULT CDevice::GetVertexShaderConstantB(UINT start, BOOL* data, UINT count) {
    return ReadBools(state_.vertexShaderConstantsB, start, data, count);
}
HRESULT CDevice::SetPixelShaderConstantF(UINT start, CONST float* data, UINT count) {
    StateMask* mask = Recording();
    return WriteConstants(Target().pixelShaderConstantsF, mask ? &mask->pixelConstantsF : nullptr, start, data, count);
}
HRESULT CDevice::GetPixelShaderConstantF(UINT start, float* data, UINT count) {
    return ReadConstants(state_.pixelShaderConstantsF, start, data, count);
}
HRESULT CDevice::SetPixelShaderConstantI(UINT start, CONST int* data, UINT count) {
    StateMask* mask = Recording();
    return WriteConstants(Target().pixelShaderConstantsI, mask ? &mask->pixelConstantsI : nullptr, start, data, count);
}
HRESULT CDevice::GetPixelShaderConstantI(UINT start, int* data, UINT count) {
    return ReadConstants(state_.pixelShaderConstantsI, start, data, count);
}
HRESULT CDevice::SetPixelShaderConstantB(UINT start, CONST BOOL* data, UINT count) {
    StateMask* mask = Recording();
    return WriteBools(Target().pixelShaderConstantsB, mask ? &mask->pixelConstantsB : nullptr, start, data, count);
}
HRESULT CDevice::GetPixelShaderConstantB(UINT start, BOOL* data, UINT count) {
    return ReadBools(state_.pixelShaderConstantsB, start, data, count);
}

}  // namespace vestra::d3d9
