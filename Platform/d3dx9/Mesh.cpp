#include "Mesh.h"

#include "VertexFormat.h"

#include <algorithm>
#include <new>

namespace vestra::d3dx9 {
namespace {

constexpr DWORD kMaxVertices16 = 0xFFFF;

DWORD IndexSize(DWORD options) { return (options & D3DXMESH_32BIT) ? 4 : 2; }

D3DPOOL PoolFor(DWORD options, DWORD systemMemFlag, DWORD managedFlag) {
    if (options & systemMemFlag) return D3DPOOL_SYSTEMMEM;
    if (options & managedFlag) return D3DPOOL_MANAGED;
    return D3DPOOL_DEFAULT;
}

DWORD UsageFor(DWORD options, DWORD writeOnlyFlag, DWORD dynamicFlag, DWORD softwareFlag) {
    DWORD usage = 0;
    if (options & writeOnlyFlag) usage |= D3DUSAGE_WRITEONLY;
    if (options & dynamicFlag) usage |= D3DUSAGE_DYNAMIC;
    if (options & softwareFlag) usage |= D3DUSAGE_SOFTWAREPROCESSING;
    if (options & D3DXMESH_DONOTCLIP) usage |= D3DUSAGE_DONOTCLIP;
    if (options & D3DXMESH_POINTS) usage |= D3DUSAGE_POINTS;
    if (options & D3DXMESH_RTPATCHES) usage |= D3DUSAGE_RTPATCHES;
    if (options & D3DXMESH_NPATCHES) usage |= D3DUSAGE_NPATCHES;
    return usage;
}

const D3DVERTEXELEMENT9* FindElement(const D3DVERTEXELEMENT9* declaration, const D3DVERTEXELEMENT9& like) {
    for (const D3DVERTEXELEMENT9* e = declaration; e->Stream != 0xFF; ++e)
        if (e->Usage == like.Usage && e->UsageIndex == like.UsageIndex && e->Type == like.Type) return e;
    return nullptr;
}

// Unlocks a locked buffer when the scope ends, whatever path leaves it.
template <typename Buffer>
struct ScopedLock {
    Buffer* buffer;
    BYTE* data = nullptr;
    HRESULT hr;
    ScopedLock(Buffer* b, DWORD flags) : buffer(b) { hr = b->Lock(0, 0, reinterpret_cast<void**>(&data), flags); }
    ~ScopedLock() {
        if (SUCCEEDED(hr)) buffer->Unlock();
    }
};

}  // namespace

CMesh::CMesh(IDirect3DDevice9* device, DWORD numFaces, DWORD numVertices, DWORD options,
             const D3DVERTEXELEMENT9* declaration)
    : m_device(device),
      m_vertexSize(D3DXGetDeclVertexSize(declaration, 0)),
      m_numFaces(numFaces),
      m_numVertices(numVertices),
      m_options(options),
      m_attributes(numFaces, 0) {
    m_device->AddRef();
    memcpy(m_declaration, declaration, sizeof(D3DVERTEXELEMENT9) * (D3DXGetDeclLength(declaration) + 1));
    if (FAILED(D3DXFVFFromDeclarator(m_declaration, &m_fvf))) m_fvf = 0;
}

CMesh::~CMesh() {
    if (m_vertexDeclaration) m_vertexDeclaration->Release();
    if (m_indexBuffer) m_indexBuffer->Release();
    if (m_vertexBuffer) m_vertexBuffer->Release();
    m_device->Release();
}

HRESULT CMesh::Create(DWORD numFaces, DWORD numVertices, DWORD options, const D3DVERTEXELEMENT9* declaration,
                      IDirect3DDevice9* device, ID3DXMesh** ppMesh) {
    if (!ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    if (!declaration || !device || numFaces == 0 || numVertices == 0) return D3DERR_INVALIDCALL;
    if (!(options & D3DXMESH_32BIT) && numVertices > kMaxVertices16) return D3DERR_INVALIDCALL;
    const UINT length = D3DXGetDeclLength(declaration);
    if (length == 0 || length == MAXD3DDECLLENGTH) return D3DERR_INVALIDCALL;
    for (UINT i = 0; i < length; ++i)
        if (declaration[i].Stream != 0) return D3DERR_INVALIDCALL;  // a mesh has one vertex stream
    const uint64_t vertexBytes = (uint64_t)numVertices * D3DXGetDeclVertexSize(declaration, 0);
    const uint64_t indexBytes = (uint64_t)numFaces * 3 * IndexSize(options);
    if (vertexBytes > 0xFFFFFFFFu || indexBytes > 0xFFFFFFFFu) return D3DERR_INVALIDCALL;

    CMesh* mesh = new (std::nothrow) CMesh(device, numFaces, numVertices, options, declaration);
    if (!mesh) return E_OUTOFMEMORY;
    const HRESULT hr = mesh->CreateBuffers();
    if (FAILED(hr)) {
        mesh->Release();
        return hr;
    }
    *ppMesh = mesh;
    return D3D_OK;
}

HRESULT CMesh::CreateBuffers() {
    HRESULT hr = m_device->CreateVertexBuffer(
        m_numVertices * m_vertexSize,
        UsageFor(m_options, D3DXMESH_VB_WRITEONLY, D3DXMESH_VB_DYNAMIC, D3DXMESH_VB_SOFTWAREPROCESSING), m_fvf,
        PoolFor(m_options, D3DXMESH_VB_SYSTEMMEM, D3DXMESH_VB_MANAGED), &m_vertexBuffer, nullptr);
    if (FAILED(hr)) return hr;
    return m_device->CreateIndexBuffer(
        m_numFaces * 3 * IndexSize(m_options),
        UsageFor(m_options, D3DXMESH_IB_WRITEONLY, D3DXMESH_IB_DYNAMIC, D3DXMESH_IB_SOFTWAREPROCESSING),
        (m_options & D3DXMESH_32BIT) ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
        PoolFor(m_options, D3DXMESH_IB_SYSTEMMEM, D3DXMESH_IB_MANAGED), &m_indexBuffer, nullptr);
}

STDMETHODIMP CMesh::QueryInterface(REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ID3DXBaseMesh || riid == IID_ID3DXMesh) {
        *ppv = static_cast<ID3DXMesh*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMesh::AddRef() { return ++m_refCount; }

STDMETHODIMP_(ULONG) CMesh::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
}

HRESULT CMesh::BindStreams() {
    HRESULT hr = m_device->SetStreamSource(0, m_vertexBuffer, 0, m_vertexSize);
    if (SUCCEEDED(hr)) hr = m_device->SetIndices(m_indexBuffer);
    if (FAILED(hr)) return hr;
    if (m_fvf) return m_device->SetFVF(m_fvf);
    if (!m_vertexDeclaration) {
        hr = m_device->CreateVertexDeclaration(m_declaration, &m_vertexDeclaration);
        if (FAILED(hr)) return hr;
    }
    return m_device->SetVertexDeclaration(m_vertexDeclaration);
}

// With an attribute table the subset's ranges are drawn as recorded there; without one the
// attribute buffer is scanned and each run of consecutive faces with the id is drawn.
STDMETHODIMP CMesh::DrawSubset(DWORD AttribId) {
    HRESULT hr = BindStreams();
    if (FAILED(hr)) return hr;
    if (!m_attributeTable.empty()) {
        for (const D3DXATTRIBUTERANGE& range : m_attributeTable) {
            if (range.AttribId != AttribId || range.FaceCount == 0) continue;
            hr = m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, range.VertexStart, range.VertexCount,
                                                range.FaceStart * 3, range.FaceCount);
            if (FAILED(hr)) return hr;
        }
        return D3D_OK;
    }
    for (DWORD face = 0; face < m_numFaces;) {
        if (m_attributes[face] != AttribId) {
            ++face;
            continue;
        }
        DWORD end = face;
        while (end < m_numFaces && m_attributes[end] == AttribId) ++end;
        hr = m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, m_numVertices, face * 3, end - face);
        if (FAILED(hr)) return hr;
        face = end;
    }
    return D3D_OK;
}

STDMETHODIMP_(DWORD) CMesh::GetNumFaces() { return m_numFaces; }
STDMETHODIMP_(DWORD) CMesh::GetNumVertices() { return m_numVertices; }
STDMETHODIMP_(DWORD) CMesh::GetFVF() { return m_fvf; }
STDMETHODIMP_(DWORD) CMesh::GetNumBytesPerVertex() { return m_vertexSize; }
STDMETHODIMP_(DWORD) CMesh::GetOptions() { return m_options; }

STDMETHODIMP CMesh::GetDeclaration(D3DVERTEXELEMENT9 Declaration[MAX_FVF_DECL_SIZE]) {
    if (!Declaration) return D3DERR_INVALIDCALL;
    memcpy(Declaration, m_declaration, sizeof(D3DVERTEXELEMENT9) * (D3DXGetDeclLength(m_declaration) + 1));
    return D3D_OK;
}

STDMETHODIMP CMesh::GetDevice(LPDIRECT3DDEVICE9* ppDevice) {
    if (!ppDevice) return D3DERR_INVALIDCALL;
    m_device->AddRef();
    *ppDevice = m_device;
    return D3D_OK;
}

STDMETHODIMP CMesh::CloneMeshFVF(DWORD Options, DWORD FVF, LPDIRECT3DDEVICE9 pD3DDevice, LPD3DXMESH* ppCloneMesh) {
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    const HRESULT hr = D3DXDeclaratorFromFVF(FVF, declaration);
    if (FAILED(hr)) return hr;
    return CloneMesh(Options, declaration, pD3DDevice, ppCloneMesh);
}

STDMETHODIMP CMesh::CloneMesh(DWORD Options, CONST D3DVERTEXELEMENT9* pDeclaration, LPDIRECT3DDEVICE9 pD3DDevice,
                              LPD3DXMESH* ppCloneMesh) {
    if (!ppCloneMesh) return D3DERR_INVALIDCALL;
    *ppCloneMesh = nullptr;
    ID3DXMesh* created = nullptr;
    HRESULT hr = Create(m_numFaces, m_numVertices, Options, pDeclaration, pD3DDevice, &created);
    if (FAILED(hr)) return hr;
    CMesh* clone = static_cast<CMesh*>(created);
    hr = CopyContentsTo(*clone);
    if (FAILED(hr)) {
        clone->Release();
        return hr;
    }
    *ppCloneMesh = clone;
    return D3D_OK;
}

// Elements present in both layouts (same usage, index and type) are copied; the others
// start at zero. Indices are widened or narrowed to the clone's index size.
HRESULT CMesh::CopyContentsTo(CMesh& clone) {
    {
        ScopedLock<IDirect3DVertexBuffer9> source(m_vertexBuffer, D3DLOCK_READONLY);
        ScopedLock<IDirect3DVertexBuffer9> target(clone.m_vertexBuffer, 0);
        if (FAILED(source.hr)) return source.hr;
        if (FAILED(target.hr)) return target.hr;
        memset(target.data, 0, (size_t)clone.m_vertexSize * m_numVertices);
        for (const D3DVERTEXELEMENT9* e = clone.m_declaration; e->Stream != 0xFF; ++e) {
            const D3DVERTEXELEMENT9* from = FindElement(m_declaration, *e);
            if (!from) continue;
            const UINT size = DeclTypeSize(e->Type);
            for (DWORD v = 0; v < m_numVertices; ++v)
                memcpy(target.data + (size_t)v * clone.m_vertexSize + e->Offset,
                       source.data + (size_t)v * m_vertexSize + from->Offset, size);
        }
    }
    {
        ScopedLock<IDirect3DIndexBuffer9> source(m_indexBuffer, D3DLOCK_READONLY);
        ScopedLock<IDirect3DIndexBuffer9> target(clone.m_indexBuffer, 0);
        if (FAILED(source.hr)) return source.hr;
        if (FAILED(target.hr)) return target.hr;
        const bool wideSource = IndexSize(m_options) == 4, wideTarget = IndexSize(clone.m_options) == 4;
        for (DWORD i = 0; i < m_numFaces * 3; ++i) {
            const DWORD index = wideSource ? reinterpret_cast<const DWORD*>(source.data)[i]
                                           : reinterpret_cast<const WORD*>(source.data)[i];
            if (wideTarget) reinterpret_cast<DWORD*>(target.data)[i] = index;
            else reinterpret_cast<WORD*>(target.data)[i] = (WORD)index;
        }
    }
    clone.m_attributes = m_attributes;
    clone.m_attributeTable = m_attributeTable;
    return D3D_OK;
}

STDMETHODIMP CMesh::GetVertexBuffer(LPDIRECT3DVERTEXBUFFER9* ppVB) {
    if (!ppVB) return D3DERR_INVALIDCALL;
    m_vertexBuffer->AddRef();
    *ppVB = m_vertexBuffer;
    return D3D_OK;
}

STDMETHODIMP CMesh::GetIndexBuffer(LPDIRECT3DINDEXBUFFER9* ppIB) {
    if (!ppIB) return D3DERR_INVALIDCALL;
    m_indexBuffer->AddRef();
    *ppIB = m_indexBuffer;
    return D3D_OK;
}

STDMETHODIMP CMesh::LockVertexBuffer(DWORD Flags, LPVOID* ppData) {
    if (!ppData) return D3DERR_INVALIDCALL;
    return m_vertexBuffer->Lock(0, 0, ppData, Flags);
}

STDMETHODIMP CMesh::UnlockVertexBuffer() { return m_vertexBuffer->Unlock(); }

STDMETHODIMP CMesh::LockIndexBuffer(DWORD Flags, LPVOID* ppData) {
    if (!ppData) return D3DERR_INVALIDCALL;
    return m_indexBuffer->Lock(0, 0, ppData, Flags);
}

STDMETHODIMP CMesh::UnlockIndexBuffer() { return m_indexBuffer->Unlock(); }

// With a NULL table only the size is reported; otherwise the caller's array must hold it.
STDMETHODIMP CMesh::GetAttributeTable(D3DXATTRIBUTERANGE* pAttribTable, DWORD* pAttribTableSize) {
    if (!pAttribTableSize) return D3DERR_INVALIDCALL;
    *pAttribTableSize = (DWORD)m_attributeTable.size();
    if (pAttribTable) std::copy(m_attributeTable.begin(), m_attributeTable.end(), pAttribTable);
    return D3D_OK;
}

STDMETHODIMP CMesh::SetAttributeTable(CONST D3DXATTRIBUTERANGE* pAttribTable, DWORD cAttribTableSize) {
    if (!pAttribTable && cAttribTableSize) return D3DERR_INVALIDCALL;
    try {
        m_attributeTable.assign(pAttribTable, pAttribTable + cAttribTableSize);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}

STDMETHODIMP CMesh::ConvertPointRepsToAdjacency(CONST DWORD*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP CMesh::ConvertAdjacencyToPointReps(CONST DWORD*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP CMesh::GenerateAdjacency(FLOAT, DWORD*) { return E_NOTIMPL; }

// Only the meaning of the elements may change, never the vertex size.
STDMETHODIMP CMesh::UpdateSemantics(D3DVERTEXELEMENT9 Declaration[MAX_FVF_DECL_SIZE]) {
    if (!Declaration) return D3DERR_INVALIDCALL;
    const UINT length = D3DXGetDeclLength(Declaration);
    if (length == 0 || length == MAXD3DDECLLENGTH || D3DXGetDeclVertexSize(Declaration, 0) != m_vertexSize)
        return D3DERR_INVALIDCALL;
    for (UINT i = 0; i < length; ++i)
        if (Declaration[i].Stream != 0) return D3DERR_INVALIDCALL;
    memcpy(m_declaration, Declaration, sizeof(D3DVERTEXELEMENT9) * (length + 1));
    if (FAILED(D3DXFVFFromDeclarator(m_declaration, &m_fvf))) m_fvf = 0;
    if (m_vertexDeclaration) {
        m_vertexDeclaration->Release();
        m_vertexDeclaration = nullptr;
    }
    return D3D_OK;
}

STDMETHODIMP CMesh::LockAttributeBuffer(DWORD, DWORD** ppData) {
    if (!ppData) return D3DERR_INVALIDCALL;
    *ppData = m_attributes.data();
    return D3D_OK;
}

STDMETHODIMP CMesh::UnlockAttributeBuffer() { return D3D_OK; }

STDMETHODIMP CMesh::Optimize(DWORD, CONST DWORD*, DWORD*, DWORD*, LPD3DXBUFFER*, LPD3DXMESH*) { return E_NOTIMPL; }
STDMETHODIMP CMesh::OptimizeInplace(DWORD, CONST DWORD*, DWORD*, DWORD*, LPD3DXBUFFER*) { return E_NOTIMPL; }

}  // namespace vestra::d3dx9

HRESULT WINAPI D3DXCreateMesh(DWORD NumFaces, DWORD NumVertices, DWORD Options, CONST D3DVERTEXELEMENT9* pDeclaration,
                              LPDIRECT3DDEVICE9 pD3DDevice, LPD3DXMESH* ppMesh) {
    return vestra::d3dx9::CMesh::Create(NumFaces, NumVertices, Options, pDeclaration, pD3DDevice, ppMesh);
}

HRESULT WINAPI D3DXCreateMeshFVF(DWORD NumFaces, DWORD NumVertices, DWORD Options, DWORD FVF,
                                 LPDIRECT3DDEVICE9 pD3DDevice, LPD3DXMESH* ppMesh) {
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    if (FAILED(D3DXDeclaratorFromFVF(FVF, declaration))) {
        if (ppMesh) *ppMesh = nullptr;
        return D3DERR_INVALIDCALL;
    }
    return D3DXCreateMesh(NumFaces, NumVertices, Options, declaration, pD3DDevice, ppMesh);
}
