// Bounding boxes filled from a mesh's vertex buffer.
#include "BoundBox.h"

#include <cstring>

namespace {

// Gets and locks the whole vertex buffer; on failure nothing is left held.
HRESULT LockVertices(ID3DXMesh* mesh, IDirect3DVertexBuffer9** buffer, void** data)
{
    HRESULT hr = mesh->GetVertexBuffer(buffer);
    if (FAILED(hr)) {
        return hr;
    }
    hr = (*buffer)->Lock(0, 0, data, 0);
    if (FAILED(hr)) {
        (*buffer)->Release();
        *buffer = nullptr;
    }
    return hr;
}

} // namespace

HRESULT InitFromMesh(ID3DXMesh* mesh, CBoundBox& box)
{
    box.SetEmpty();
    IDirect3DVertexBuffer9* buffer = nullptr;
    void* data = nullptr;
    HRESULT hr = LockVertices(mesh, &buffer, &data);
    if (FAILED(hr)) {
        return hr;
    }
    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
    hr = D3DXComputeBoundingBox(static_cast<const D3DXVECTOR3*>(data), mesh->GetNumVertices(),
                                mesh->GetNumBytesPerVertex(), &min, &max);
    if (SUCCEEDED(hr)) {
        box.Set(min, max);
    }
    buffer->Unlock();
    buffer->Release();
    return hr;
}

HRESULT InitFromMeshSubset(ID3DXMesh* mesh, LONG firstVertex, LONG vertexCount, CBoundBox& box)
{
    box.SetEmpty();
    IDirect3DVertexBuffer9* buffer = nullptr;
    void* data = nullptr;
    const HRESULT hr = LockVertices(mesh, &buffer, &data);
    if (FAILED(hr)) {
        return hr;
    }
    const DWORD stride = mesh->GetNumBytesPerVertex();
    const LONG available = static_cast<LONG>(mesh->GetNumVertices());
    const BYTE* bytes = static_cast<const BYTE*>(data);
    for (LONG i = 0; i < vertexCount; ++i) {
        const LONGLONG index = static_cast<LONGLONG>(firstVertex) + i;
        if (index < 0 || index >= available) {
            continue;
        }
        D3DXVECTOR3 position;
        std::memcpy(&position, bytes + static_cast<size_t>(index) * stride, sizeof(position));
        box.Union(position);
    }
    buffer->Unlock();
    buffer->Release();
    return hr;
}
