// ID3DXMesh: triangle lists in a device vertex buffer and index buffer, with a per-face
// attribute id (kept in plain memory) that selects the subset a face belongs to.
#pragma once

#include <d3dx9mesh.h>

#include <atomic>
#include <vector>

namespace vestra::d3dx9 {

class CMesh final : public ID3DXMesh {
public:
    // Arguments as D3DXCreateMesh; validates them and creates the device buffers.
    static HRESULT Create(DWORD numFaces, DWORD numVertices, DWORD options, const D3DVERTEXELEMENT9* declaration,
                          IDirect3DDevice9* device, ID3DXMesh** ppMesh);

    STDMETHOD(QueryInterface)(REFIID riid, LPVOID* ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(DrawSubset)(DWORD AttribId) override;
    STDMETHOD_(DWORD, GetNumFaces)() override;
    STDMETHOD_(DWORD, GetNumVertices)() override;
    STDMETHOD_(DWORD, GetFVF)() override;
    STDMETHOD(GetDeclaration)(D3DVERTEXELEMENT9 Declaration[MAX_FVF_DECL_SIZE]) override;
    STDMETHOD_(DWORD, GetNumBytesPerVertex)() override;
    STDMETHOD_(DWORD, GetOptions)() override;
    STDMETHOD(GetDevice)(LPDIRECT3DDEVICE9* ppDevice) override;
    STDMETHOD(CloneMeshFVF)(DWORD Options, DWORD FVF, LPDIRECT3DDEVICE9 pD3DDevice, LPD3DXMESH* ppCloneMesh) override;
    STDMETHOD(CloneMesh)(DWORD Options, CONST D3DVERTEXELEMENT9* pDeclaration, LPDIRECT3DDEVICE9 pD3DDevice,
                         LPD3DXMESH* ppCloneMesh) override;
    STDMETHOD(GetVertexBuffer)(LPDIRECT3DVERTEXBUFFER9* ppVB) override;
    STDMETHOD(GetIndexBuffer)(LPDIRECT3DINDEXBUFFER9* ppIB) override;
    STDMETHOD(LockVertexBuffer)(DWORD Flags, LPVOID* ppData) override;
    STDMETHOD(UnlockVertexBuffer)() override;
    STDMETHOD(LockIndexBuffer)(DWORD Flags, LPVOID* ppData) override;
    STDMETHOD(UnlockIndexBuffer)() override;
    STDMETHOD(GetAttributeTable)(D3DXATTRIBUTERANGE* pAttribTable, DWORD* pAttribTableSize) override;
    STDMETHOD(ConvertPointRepsToAdjacency)(CONST DWORD* pPRep, DWORD* pAdjacency) override;
    STDMETHOD(ConvertAdjacencyToPointReps)(CONST DWORD* pAdjacency, DWORD* pPRep) override;
    STDMETHOD(GenerateAdjacency)(FLOAT Epsilon, DWORD* pAdjacency) override;
    STDMETHOD(UpdateSemantics)(D3DVERTEXELEMENT9 Declaration[MAX_FVF_DECL_SIZE]) override;

    STDMETHOD(LockAttributeBuffer)(DWORD Flags, DWORD** ppData) override;
    STDMETHOD(UnlockAttributeBuffer)() override;
    STDMETHOD(Optimize)(DWORD Flags, CONST DWORD* pAdjacencyIn, DWORD* pAdjacencyOut, DWORD* pFaceRemap,
                        LPD3DXBUFFER* ppVertexRemap, LPD3DXMESH* ppOptMesh) override;
    STDMETHOD(OptimizeInplace)(DWORD Flags, CONST DWORD* pAdjacencyIn, DWORD* pAdjacencyOut, DWORD* pFaceRemap,
                               LPD3DXBUFFER* ppVertexRemap) override;
    STDMETHOD(SetAttributeTable)(CONST D3DXATTRIBUTERANGE* pAttribTable, DWORD cAttribTableSize) override;

private:
    CMesh(IDirect3DDevice9* device, DWORD numFaces, DWORD numVertices, DWORD options,
          const D3DVERTEXELEMENT9* declaration);
    ~CMesh();

    HRESULT CreateBuffers();
    HRESULT BindStreams();
    HRESULT CopyContentsTo(CMesh& clone);

    std::atomic<ULONG> m_refCount{1};
    IDirect3DDevice9* m_device;
    IDirect3DVertexBuffer9* m_vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* m_indexBuffer = nullptr;
    // Created on the first draw of a mesh whose layout has no FVF.
    IDirect3DVertexDeclaration9* m_vertexDeclaration = nullptr;

    D3DVERTEXELEMENT9 m_declaration[MAX_FVF_DECL_SIZE];
    DWORD m_fvf = 0;
    DWORD m_vertexSize;
    DWORD m_numFaces;
    DWORD m_numVertices;
    DWORD m_options;
    std::vector<DWORD> m_attributes;  // one id per face
    std::vector<D3DXATTRIBUTERANGE> m_attributeTable;
};

}  // namespace vestra::d3dx9
