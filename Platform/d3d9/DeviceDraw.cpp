// Scenes and draw calls: argument checks with the Direct3D 9 results, statistics, and the
// hand-over of a validated draw to the pipeline.
#include "d3d9/CubeTexture.h"
#include "d3d9/Device.h"
#include "d3d9/IndexBuffer.h"
#include "d3d9/Surface.h"
#include "d3d9/Texture.h"
#include "d3d9/VertexBuffer.h"
#include "d3d9/VertexDeclaration.h"
#include "d3d9/VolumeTexture.h"

namespace vestra::d3d9 {

UINT VerticesForPrimitives(D3DPRIMITIVETYPE type, UINT count) {
    switch (type) {
        case D3DPT_POINTLIST: return count;
        case D3DPT_LINELIST: return 2 * count;
        case D3DPT_LINESTRIP: return count + 1;
        case D3DPT_TRIANGLELIST: return 3 * count;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return count + 2;
        default: return 0;
    }
}

namespace {

bool IsValidPrimitiveType(D3DPRIMITIVETYPE type) { return type >= D3DPT_POINTLIST && type <= D3DPT_TRIANGLEFAN; }

UINT IndexSize(D3DFORMAT format) { return format == D3DFMT_INDEX32 ? 4 : 2; }

}  // namespace

HRESULT CDevice::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT CDevice::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    FlushDraws();
    return D3D_OK;
}

HRESULT CDevice::ValidateDevice(DWORD* passes) {
    if (!passes) return D3DERR_INVALIDCALL;
    *passes = 1;
    return D3D_OK;
}

HRESULT CDevice::CheckDrawPreconditions() const {
    if (!inScene_ || !state_.declaration) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

// A validated draw goes to the rasterizer's queue with views of the device's own state
// (the queue copies what it keeps). Draws through a vertex declaration that has no FVF
// equivalent are counted but not drawn (the fixed-function pipeline reads FVF layouts).
void CDevice::SubmitDraw(const DrawRequest& request) {
    if (!request.fvf || !state_.renderTarget) return;
    raster::State pipeline;
    pipeline.renderStates = state_.renderStates;
    pipeline.stageStates = state_.stageStates;
    pipeline.samplerStates = state_.samplerStates;
    pipeline.world = &state_.world[0];
    pipeline.view = &state_.view;
    pipeline.projection = &state_.projection;
    pipeline.textureTransforms = state_.textureTransforms;
    pipeline.viewport = state_.viewport;
    pipeline.scissorRect = state_.scissorRect;
    pipeline.material = &state_.material;
    enabledLights_.clear();
    for (const auto& [index, slot] : state_.lights)
        if (slot.enabled) enabledLights_.push_back(slot.light);
    pipeline.lights = enabledLights_.data();
    pipeline.lightCount = static_cast<UINT>(enabledLights_.size());
    for (UINT stage = 0; stage < raster::kMaxStages; ++stage) {
        IDirect3DBaseTexture9* bound = state_.textures[stage];
        if (!bound) continue;
        if (const auto* texture = dynamic_cast<const CTexture*>(bound))
            pipeline.textures[stage] = texture->SamplingView();
        else if (const auto* cube = dynamic_cast<const CCubeTexture*>(bound))
            pipeline.textures[stage] = cube->SamplingView();
        else if (const auto* volume = dynamic_cast<const CVolumeTexture*>(bound))
            pipeline.textures[stage] = volume->SamplingView();
    }
    CSurface& target = *state_.renderTarget;
    pipeline.target = {target.Desc().Format, target.Desc().Width, target.Desc().Height,
                       static_cast<INT>(target.Pitch()), target.Bits()};
    if (CSurface* depth = state_.depthStencil) {
        pipeline.depth = {depth->Desc().Format, depth->Desc().Width, depth->Desc().Height,
                          static_cast<INT>(depth->Pitch()), depth->Bits()};
    }

    raster::DrawCall call;
    call.type = request.type;
    call.primitiveCount = request.primitiveCount;
    call.vertices = request.vertices;
    call.vertexCount = request.vertexCount;
    call.stride = request.stride;
    call.fvf = request.fvf;
    call.indices = request.indices;
    call.indexFormat = request.indexFormat;
    call.baseVertex = request.baseVertexIndex;
    queue_.Submit(pipeline, call);
}

void CDevice::FlushDraws() {
    if (!queue_.Empty()) stats_.PixelsWritten += queue_.Flush();
}

HRESULT CDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, CONST void* vertexData, UINT stride) {
    if (!vertexData || stride == 0 || !IsValidPrimitiveType(type)) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckDrawPreconditions(); FAILED(hr)) return hr;
    const UINT vertexCount = VerticesForPrimitives(type, primitiveCount);
    if (primitiveCount > 0 && !IsLost()) {
        SubmitDraw({type, primitiveCount, static_cast<const BYTE*>(vertexData), vertexCount, stride, state_.fvf,
                    state_.declaration, nullptr, 0, D3DFMT_INDEX16, 0});
    }
    ++stats_.DrawCalls;
    stats_.Primitives += primitiveCount;
    stats_.Vertices += primitiveCount ? vertexCount : 0;
    // The data was used during the call; stream 0 no longer points anywhere.
    Rebind(state_.streams[0].buffer, static_cast<CVertexBuffer*>(nullptr));
    state_.streams[0].offset = state_.streams[0].stride = 0;
    return D3D_OK;
}

HRESULT CDevice::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minVertexIndex, UINT numVertices,
                                        UINT primitiveCount, CONST void* indexData, D3DFORMAT indexFormat,
                                        CONST void* vertexData, UINT stride) {
    if (!indexData || !vertexData || stride == 0 || !IsValidPrimitiveType(type)) return D3DERR_INVALIDCALL;
    if (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    if (primitiveCount > 0 && numVertices == 0) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckDrawPreconditions(); FAILED(hr)) return hr;
    const UINT indexCount = VerticesForPrimitives(type, primitiveCount);
    if (primitiveCount > 0 && !IsLost()) {
        SubmitDraw({type, primitiveCount, static_cast<const BYTE*>(vertexData), minVertexIndex + numVertices, stride,
                    state_.fvf, state_.declaration, indexData, indexCount, indexFormat, 0});
    }
    ++stats_.DrawCalls;
    stats_.Primitives += primitiveCount;
    stats_.Vertices += primitiveCount ? indexCount : 0;
    Rebind(state_.streams[0].buffer, static_cast<CVertexBuffer*>(nullptr));
    state_.streams[0].offset = state_.streams[0].stride = 0;
    Rebind(state_.indices, static_cast<CIndexBuffer*>(nullptr));
    return D3D_OK;
}

HRESULT CDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    if (!IsValidPrimitiveType(type)) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckDrawPreconditions(); FAILED(hr)) return hr;
    const StreamBinding& stream = state_.streams[0];
    if (!stream.buffer || stream.stride == 0) return D3DERR_INVALIDCALL;
    const UINT available = stream.offset < stream.buffer->Size() ? (stream.buffer->Size() - stream.offset) / stream.stride : 0;
    const UINT vertexCount = VerticesForPrimitives(type, primitiveCount);
    if (primitiveCount > 0 && (startVertex > available || vertexCount > available - startVertex))
        return D3DERR_INVALIDCALL;
    if (primitiveCount > 0 && !IsLost()) {
        const BYTE* first = stream.buffer->Bytes() + stream.offset + static_cast<size_t>(startVertex) * stream.stride;
        SubmitDraw({type, primitiveCount, first, vertexCount, stream.stride, state_.fvf, state_.declaration, nullptr,
                    0, D3DFMT_INDEX16, 0});
    }
    ++stats_.DrawCalls;
    stats_.Primitives += primitiveCount;
    stats_.Vertices += primitiveCount ? vertexCount : 0;
    return D3D_OK;
}

HRESULT CDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                      UINT numVertices, UINT startIndex, UINT primitiveCount) {
    if (!IsValidPrimitiveType(type)) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckDrawPreconditions(); FAILED(hr)) return hr;
    const StreamBinding& stream = state_.streams[0];
    if (!stream.buffer || stream.stride == 0 || !state_.indices) return D3DERR_INVALIDCALL;
    if (primitiveCount > 0 && numVertices == 0) return D3DERR_INVALIDCALL;
    const CIndexBuffer& indices = *state_.indices;
    const UINT indexSize = IndexSize(indices.Format());
    const UINT indexCapacity = indices.Size() / indexSize;
    const UINT indexCount = VerticesForPrimitives(type, primitiveCount);
    if (primitiveCount > 0 && (startIndex > indexCapacity || indexCount > indexCapacity - startIndex))
        return D3DERR_INVALIDCALL;
    const UINT vertexCount =
        stream.offset < stream.buffer->Size() ? (stream.buffer->Size() - stream.offset) / stream.stride : 0;
    const long long lastVertex = static_cast<long long>(baseVertexIndex) + minVertexIndex + numVertices;
    if (primitiveCount > 0 && (lastVertex > vertexCount || baseVertexIndex + static_cast<long long>(minVertexIndex) < 0))
        return D3DERR_INVALIDCALL;
    if (primitiveCount > 0 && !IsLost()) {
        SubmitDraw({type, primitiveCount, stream.buffer->Bytes() + stream.offset, vertexCount, stream.stride,
                    state_.fvf, state_.declaration, indices.Bytes() + static_cast<size_t>(startIndex) * indexSize,
                    indexCount, indices.Format(), baseVertexIndex});
    }
    ++stats_.DrawCalls;
    stats_.Primitives += primitiveCount;
    stats_.Vertices += primitiveCount ? indexCount : 0;
    return D3D_OK;
}

// Vertex output to a buffer, patches: not offered (the caps report neither).
HRESULT CDevice::ProcessVertices(UINT, UINT, UINT, IDirect3DVertexBuffer9*, IDirect3DVertexDeclaration9*, DWORD) {
    return D3DERR_INVALIDCALL;
}
HRESULT CDevice::DrawRectPatch(UINT, CONST float*, CONST D3DRECTPATCH_INFO*) { return D3DERR_INVALIDCALL; }
HRESULT CDevice::DrawTriPatch(UINT, CONST float*, CONST D3DTRIPATCH_INFO*) { return D3DERR_INVALIDCALL; }
HRESULT CDevice::DeletePatch(UINT) { return D3DERR_INVALIDCALL; }

}  // namespace vestra::d3d9
