#include <d3dx9.h>
#include <gtest/gtest.h>

namespace {

bool SameElement(const D3DVERTEXELEMENT9& e, WORD offset, BYTE type, BYTE usage, BYTE usageIndex) {
    return e.Stream == 0 && e.Offset == offset && e.Type == type && e.Method == D3DDECLMETHOD_DEFAULT &&
           e.Usage == usage && e.UsageIndex == usageIndex;
}

}  // namespace

TEST(D3DXVertexFormat, FvfVertexSizes) {
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZ), 12u);
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZRHW | D3DFVF_DIFFUSE), 20u);
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZW | D3DFVF_PSIZE | D3DFVF_SPECULAR), 24u);
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1), 32u);
    EXPECT_EQ(D3DXGetFVFVertexSize(0x140312), 56u);  // XYZ|NORMAL|TEX3, sets 1 and 2 three floats
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZB3 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL), 36u);
    EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_TEX2 | D3DFVF_TEXCOORDSIZE1(0) | D3DFVF_TEXCOORDSIZE4(1)), 20u);
    EXPECT_EQ(D3DXGetFVFVertexSize(0), 0u);
}

TEST(D3DXVertexFormat, DeclarationsFollowTheFvfMemoryOrder) {
    D3DVERTEXELEMENT9 decl[MAX_FVF_DECL_SIZE];
    const DWORD fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX2 |
                      D3DFVF_TEXCOORDSIZE3(1);
    ASSERT_EQ(D3DXDeclaratorFromFVF(fvf, decl), D3D_OK);
    ASSERT_EQ(D3DXGetDeclLength(decl), 6u);
    EXPECT_TRUE(SameElement(decl[0], 0, D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION, 0));
    EXPECT_TRUE(SameElement(decl[1], 12, D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL, 0));
    EXPECT_TRUE(SameElement(decl[2], 24, D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 0));
    EXPECT_TRUE(SameElement(decl[3], 28, D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 1));
    EXPECT_TRUE(SameElement(decl[4], 32, D3DDECLTYPE_FLOAT2, D3DDECLUSAGE_TEXCOORD, 0));
    EXPECT_TRUE(SameElement(decl[5], 40, D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_TEXCOORD, 1));
    EXPECT_EQ(decl[6].Stream, 0xFF);
    EXPECT_EQ(D3DXGetDeclVertexSize(decl, 0), D3DXGetFVFVertexSize(fvf));
    EXPECT_EQ(D3DXGetDeclVertexSize(decl, 1), 0u);

    // Skinning: the last beta carries the matrix indices.
    ASSERT_EQ(D3DXDeclaratorFromFVF(D3DFVF_XYZB3 | D3DFVF_LASTBETA_UBYTE4, decl), D3D_OK);
    ASSERT_EQ(D3DXGetDeclLength(decl), 3u);
    EXPECT_TRUE(SameElement(decl[1], 12, D3DDECLTYPE_FLOAT2, D3DDECLUSAGE_BLENDWEIGHT, 0));
    EXPECT_TRUE(SameElement(decl[2], 20, D3DDECLTYPE_UBYTE4, D3DDECLUSAGE_BLENDINDICES, 0));
    EXPECT_EQ(D3DXDeclaratorFromFVF(D3DFVF_XYZB5, decl), D3DERR_INVALIDCALL);  // five weights fit no type
    EXPECT_EQ(D3DXDeclaratorFromFVF(D3DFVF_XYZ, nullptr), D3DERR_INVALIDCALL);
}

TEST(D3DXVertexFormat, FvfFromDeclarationRoundTripsAndRejectsOtherLayouts) {
    const DWORD fvfs[] = {D3DFVF_XYZ,
                          D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1,
                          D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1,
                          0x140312,
                          D3DFVF_XYZB4 | D3DFVF_LASTBETA_D3DCOLOR | D3DFVF_NORMAL,
                          D3DFVF_XYZW | D3DFVF_PSIZE | D3DFVF_SPECULAR};
    for (DWORD fvf : fvfs) {
        D3DVERTEXELEMENT9 decl[MAX_FVF_DECL_SIZE];
        ASSERT_EQ(D3DXDeclaratorFromFVF(fvf, decl), D3D_OK);
        DWORD back = 0;
        ASSERT_EQ(D3DXFVFFromDeclarator(decl, &back), D3D_OK) << std::hex << fvf;
        EXPECT_EQ(back, fvf);
    }

    DWORD fvf = 0xdead;
    const D3DVERTEXELEMENT9 swapped[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0},
                                         {0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                         D3DDECL_END()};
    EXPECT_EQ(D3DXFVFFromDeclarator(swapped, &fvf), D3DERR_INVALIDCALL);
    const D3DVERTEXELEMENT9 tangent[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                         {0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_TANGENT, 0},
                                         D3DDECL_END()};
    EXPECT_EQ(D3DXFVFFromDeclarator(tangent, &fvf), D3DERR_INVALIDCALL);
    const D3DVERTEXELEMENT9 gap[] = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                                     {0, 16, D3DDECLTYPE_D3DCOLOR, 0, D3DDECLUSAGE_COLOR, 0},
                                     D3DDECL_END()};
    EXPECT_EQ(D3DXFVFFromDeclarator(gap, &fvf), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXGetDeclVertexSize(gap, 0), 20u);
    EXPECT_EQ(fvf, 0xdeadu);  // untouched on failure
    const D3DVERTEXELEMENT9 empty[] = {D3DDECL_END()};
    EXPECT_EQ(D3DXFVFFromDeclarator(empty, &fvf), D3D_OK);
    EXPECT_EQ(fvf, 0u);
}
