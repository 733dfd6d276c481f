#include <d3dx9.h>
#include <gtest/gtest.h>

#include <VestraDeviceControl.h>

#include <utility>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::RefCount;

namespace {

constexpr DWORD kColourFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
};

class Mesh : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(device.CreationResult(), D3D_OK); }
    HeadlessDevice device{32, 24};
};

// Two quads side by side (faces 0-1 left, 2-3 right) in screen space, each with its own
// colour, so the subset drawn can be read off the back buffer.
ID3DXMesh* TwoQuadMesh(IDirect3DDevice9* device, DWORD options) {
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXCreateMeshFVF(4, 8, options, kColourFvf, device, &mesh))) return nullptr;
    ScreenVertex* v = nullptr;
    mesh->LockVertexBuffer(0, (void**)&v);
    const D3DCOLOR colours[2] = {0xFFFF0000, 0xFF0000FF};
    for (int quad = 0; quad < 2; ++quad) {
        const float left = quad * 16.0f, right = left + 16.0f;
        v[quad * 4 + 0] = {left, 0, 0.5f, 1, colours[quad]};
        v[quad * 4 + 1] = {right, 0, 0.5f, 1, colours[quad]};
        v[quad * 4 + 2] = {left, 24, 0.5f, 1, colours[quad]};
        v[quad * 4 + 3] = {right, 24, 0.5f, 1, colours[quad]};
    }
    mesh->UnlockVertexBuffer();
    WORD* index = nullptr;
    mesh->LockIndexBuffer(0, (void**)&index);
    for (WORD quad = 0; quad < 2; ++quad) {
        const WORD base = quad * 4, face[6] = {0, 1, 2, 2, 1, 3};
        for (int i = 0; i < 6; ++i) index[quad * 6 + i] = base + face[i];
    }
    mesh->UnlockIndexBuffer();
    DWORD* attributes = nullptr;
    mesh->LockAttributeBuffer(0, &attributes);
    attributes[0] = attributes[1] = 0;
    attributes[2] = attributes[3] = 1;
    mesh->UnlockAttributeBuffer();
    return mesh;
}

}  // namespace

TEST_F(Mesh, CreateMakesDeviceBuffersFromTheOptions) {
    const ULONG deviceRefs = RefCount(device.get());
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(12, 24, D3DXMESH_MANAGED, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, device.get(),
                                &mesh),
              D3D_OK);
    EXPECT_EQ(mesh->GetFVF(), (DWORD)(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
    EXPECT_EQ(mesh->GetNumBytesPerVertex(), 32u);
    EXPECT_EQ(mesh->GetOptions(), (DWORD)D3DXMESH_MANAGED);
    EXPECT_GT(RefCount(device.get()), deviceRefs);

    IDirect3DVertexBuffer9* vb = nullptr;
    IDirect3DIndexBuffer9* ib = nullptr;
    ASSERT_EQ(mesh->GetVertexBuffer(&vb), D3D_OK);
    ASSERT_EQ(mesh->GetIndexBuffer(&ib), D3D_OK);
    EXPECT_EQ(RefCount(vb), 2u);  // the mesh's and ours
    D3DVERTEXBUFFER_DESC vbDesc;
    D3DINDEXBUFFER_DESC ibDesc;
    vb->GetDesc(&vbDesc);
    ib->GetDesc(&ibDesc);
    EXPECT_EQ(vbDesc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(vbDesc.Size, 24u * 32u);
    EXPECT_EQ(ibDesc.Format, D3DFMT_INDEX16);
    EXPECT_EQ(ibDesc.Size, 12u * 3u * 2u);


    EXPECT_EQ(mesh->Release(), 0u);
    EXPECT_EQ(vb->Release(), 0u);  // the buffers outlive the mesh while referenced
    EXPECT_EQ(ib->Release(), 0u);
    EXPECT_EQ(RefCount(device.get()), deviceRefs);

    ASSERT_EQ(D3DXCreateMeshFVF(1, 3, D3DXMESH_32BIT | D3DXMESH_IB_SYSTEMMEM | D3DXMESH_VB_WRITEONLY, D3DFVF_XYZ,
                                device.get(), &mesh),
              D3D_OK);
    mesh->GetIndexBuffer(&ib);
    mesh->GetVertexBuffer(&vb);
    ib->GetDesc(&ibDesc);
    vb->GetDesc(&vbDesc);
    EXPECT_EQ(ibDesc.Format, D3DFMT_INDEX32);
    EXPECT_EQ(ibDesc.Pool, D3DPOOL_SYSTEMMEM);
    EXPECT_EQ(vbDesc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(vbDesc.Usage & D3DUSAGE_WRITEONLY, (DWORD)D3DUSAGE_WRITEONLY);
    ib->Release();
    vb->Release();
    mesh->Release();
}

TEST_F(Mesh, CreateRejectsBadArguments) {
    ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
    EXPECT_EQ(D3DXCreateMeshFVF(0, 3, 0, D3DFVF_XYZ, device.get(), &mesh), D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh, nullptr);
    EXPECT_EQ(D3DXCreateMeshFVF(1, 0, 0, D3DFVF_XYZ, device.get(), &mesh), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, nullptr, &mesh), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, device.get(), nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, 0, device.get(), &mesh), D3DERR_INVALIDCALL);
    // 16-bit indices reach 65535 vertices at most; 32-bit ones lift the limit.
    EXPECT_EQ(D3DXCreateMeshFVF(1, 65536, D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, device.get(), &mesh), D3DERR_INVALIDCALL);
    ASSERT_EQ(D3DXCreateMeshFVF(1, 65536, D3DXMESH_SYSTEMMEM | D3DXMESH_32BIT, D3DFVF_XYZ, device.get(), &mesh),
              D3D_OK);
    mesh->Release();
}

// The draws a subset produces, counted by the device.
TEST_F(Mesh, DrawSubsetDrawsOnlyThatSubsetFromItsOwnBuffers) {
    ID3DXMesh* mesh = TwoQuadMesh(device.get(), D3DXMESH_MANAGED);
    ASSERT_NE(mesh, nullptr);
    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, (void**)&control), D3D_OK);
    const auto draw = [&](DWORD subset) {
        control->ResetFrameStatistics();
        device->BeginScene();
        EXPECT_EQ(mesh->DrawSubset(subset), D3D_OK);
        device->EndScene();
        VESTRA_FRAME_STATISTICS stats{};
        control->GetFrameStatistics(&stats);
        return std::make_pair(stats.DrawCalls, stats.Primitives);
    };

    // Without a table, runs of faces in the attribute buffer: ids 0 1 1 0 give subset 0 two
    // runs of one face and subset 1 one run of two.
    DWORD* attributes = nullptr;
    mesh->LockAttributeBuffer(0, &attributes);
    attributes[1] = 1;
    attributes[3] = 0;
    mesh->UnlockAttributeBuffer();
    EXPECT_EQ(draw(0), std::make_pair(2u, 2u));
    EXPECT_EQ(draw(1), std::make_pair(1u, 2u));
    EXPECT_EQ(draw(7), std::make_pair(0u, 0u));  // no such subset: nothing drawn, not an error

    IDirect3DVertexBuffer9* bound = nullptr;
    UINT offset = 1, stride = 0;
    ASSERT_EQ(device->GetStreamSource(0, &bound, &offset, &stride), D3D_OK);
    IDirect3DVertexBuffer9* own = nullptr;
    mesh->GetVertexBuffer(&own);
    EXPECT_EQ(bound, own);
    EXPECT_EQ(stride, (UINT)sizeof(ScreenVertex));
    bound->Release();
    own->Release();
    DWORD fvf = 0;
    device->GetFVF(&fvf);
    EXPECT_EQ(fvf, kColourFvf);

    // An attribute table takes precedence over the attribute buffer.
    const D3DXATTRIBUTERANGE table[3] = {{0, 2, 2, 4, 4}, {1, 0, 1, 0, 4}, {1, 1, 1, 0, 4}};
    ASSERT_EQ(mesh->SetAttributeTable(table, 3), D3D_OK);
    EXPECT_EQ(draw(0), std::make_pair(1u, 2u));
    EXPECT_EQ(draw(1), std::make_pair(2u, 2u));

    // Outside BeginScene/EndScene the device refuses, and so does the mesh.
    EXPECT_EQ(mesh->DrawSubset(0), D3DERR_INVALIDCALL);
    control->Release();
    EXPECT_EQ(mesh->Release(), 0u);
}

// A layout with no FVF equivalent is drawn through a vertex declaration.
TEST_F(Mesh, DeclarationOnlyMeshesBindAVertexDeclaration) {
    const D3DVERTEXELEMENT9 decl[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                      {0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_TANGENT, 0},
                                      D3DDECL_END()};
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXCreateMesh(1, 3, D3DXMESH_MANAGED, decl, device.get(), &mesh), D3D_OK);
    EXPECT_EQ(mesh->GetFVF(), 0u);
    EXPECT_EQ(mesh->GetNumBytesPerVertex(), 24u);
    device->BeginScene();
    EXPECT_EQ(mesh->DrawSubset(0), D3D_OK);
    device->EndScene();
    IDirect3DVertexDeclaration9* bound = nullptr;
    ASSERT_EQ(device->GetVertexDeclaration(&bound), D3D_OK);
    ASSERT_NE(bound, nullptr);
    D3DVERTEXELEMENT9 elements[MAX_FVF_DECL_SIZE];
    UINT count = MAX_FVF_DECL_SIZE;
    bound->GetDeclaration(elements, &count);
    EXPECT_EQ(count, 3u);  // including the end marker
    EXPECT_EQ(elements[1].Usage, D3DDECLUSAGE_TANGENT);
    bound->Release();
    EXPECT_EQ(mesh->Release(), 0u);

    const D3DVERTEXELEMENT9 twoStreams[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                            {1, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0},
                                            D3DDECL_END()};
    EXPECT_EQ(D3DXCreateMesh(1, 3, 0, twoStreams, device.get(), &mesh), D3DERR_INVALIDCALL);
}

TEST_F(Mesh, AttributeTableAndSemantics) {
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXCreateMeshFVF(3, 4, D3DXMESH_SYSTEMMEM, D3DFVF_XYZ | D3DFVF_DIFFUSE, device.get(), &mesh), D3D_OK);
    DWORD size = 99;
    ASSERT_EQ(mesh->GetAttributeTable(nullptr, &size), D3D_OK);
    EXPECT_EQ(size, 0u);
    const D3DXATTRIBUTERANGE ranges[2] = {{0, 0, 1, 0, 3}, {5, 1, 2, 1, 3}};
    ASSERT_EQ(mesh->SetAttributeTable(ranges, 2), D3D_OK);
    D3DXATTRIBUTERANGE back[2] = {};
    ASSERT_EQ(mesh->GetAttributeTable(back, &size), D3D_OK);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(back[1].AttribId, 5u);
    EXPECT_EQ(back[1].FaceCount, 2u);
    EXPECT_EQ(mesh->GetAttributeTable(back, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh->SetAttributeTable(nullptr, 1), D3DERR_INVALIDCALL);

    DWORD* attributes = nullptr;
    ASSERT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes), D3D_OK);
    EXPECT_EQ(attributes[0] + attributes[1] + attributes[2], 0u);  // a new mesh is all subset 0
    mesh->UnlockAttributeBuffer();

    // Same size, new meaning: the colour becomes a float texture coordinate.
    D3DVERTEXELEMENT9 decl[MAX_FVF_DECL_SIZE];
    ASSERT_EQ(mesh->GetDeclaration(decl), D3D_OK);
    decl[1].Type = D3DDECLTYPE_FLOAT1;
    decl[1].Usage = D3DDECLUSAGE_TEXCOORD;
    ASSERT_EQ(mesh->UpdateSemantics(decl), D3D_OK);
    EXPECT_EQ(mesh->GetFVF(), (DWORD)(D3DFVF_XYZ | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE1(0)));
    decl[1].Type = D3DDECLTYPE_FLOAT2;
    EXPECT_EQ(mesh->UpdateSemantics(decl), D3DERR_INVALIDCALL);

    EXPECT_EQ(mesh->GenerateAdjacency(0.0f, nullptr), E_NOTIMPL);
    EXPECT_EQ(mesh->Release(), 0u);
}

TEST_F(Mesh, CloneConvertsLayoutAndIndexSize) {
    ID3DXMesh* mesh = TwoQuadMesh(device.get(), D3DXMESH_SYSTEMMEM);
    ASSERT_NE(mesh, nullptr);
    ID3DXMesh* clone = nullptr;
    ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_32BIT | D3DXMESH_SYSTEMMEM, D3DFVF_XYZRHW | D3DFVF_NORMAL | D3DFVF_DIFFUSE,
                                 device.get(), &clone),
              D3D_OK);
    EXPECT_EQ(clone->GetNumBytesPerVertex(), 32u);
    struct Cloned {
        float x, y, z, rhw, nx, ny, nz;
        D3DCOLOR colour;
    }* v = nullptr;
    ASSERT_EQ(clone->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v), D3D_OK);
    EXPECT_EQ(v[5].x, 32.0f);
    EXPECT_EQ(v[5].nx + v[5].ny + v[5].nz, 0.0f);  // new elements start at zero
    EXPECT_EQ(v[5].colour, 0xFF0000FFu);
    clone->UnlockVertexBuffer();
    DWORD* index = nullptr;
    ASSERT_EQ(clone->LockIndexBuffer(D3DLOCK_READONLY, (void**)&index), D3D_OK);
    EXPECT_EQ(index[6], 4u);
    EXPECT_EQ(index[11], 7u);
    clone->UnlockIndexBuffer();
    DWORD* attributes = nullptr;
    clone->LockAttributeBuffer(D3DLOCK_READONLY, &attributes);
    EXPECT_EQ(attributes[3], 1u);
    clone->UnlockAttributeBuffer();
    EXPECT_EQ(clone->Release(), 0u);

    ID3DXMesh* none = clone;  // dangling on purpose: a failed clone must clear it
    EXPECT_EQ(mesh->CloneMeshFVF(0, D3DFVF_XYZ, nullptr, &none), D3DERR_INVALIDCALL);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(mesh->Release(), 0u);
}

TEST(D3DXBuffer, ZeroFilledAndReferenceCounted) {
    ID3DXBuffer* buffer = nullptr;
    ASSERT_EQ(D3DXCreateBuffer(16, &buffer), D3D_OK);
    EXPECT_EQ(buffer->GetBufferSize(), 16u);
    const BYTE* bytes = static_cast<const BYTE*>(buffer->GetBufferPointer());
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_ID3DXBuffer, (void**)&unknown), S_OK);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(buffer->Release(), 0u);

    ASSERT_EQ(D3DXCreateBuffer(0, &buffer), D3D_OK);
    EXPECT_EQ(buffer->GetBufferSize(), 0u);
    EXPECT_EQ(buffer->GetBufferPointer(), nullptr);
    buffer->Release();
    EXPECT_EQ(D3DXCreateBuffer(4, nullptr), D3DERR_INVALIDCALL);
}
