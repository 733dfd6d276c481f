// Flexible vertex formats and vertex declarations: sizes and conversions between them.
#include "VertexFormat.h"

#include <d3dx9mesh.h>

namespace vestra::d3dx9 {

UINT DeclTypeSize(BYTE type) {
    switch (type) {
        case D3DDECLTYPE_FLOAT1:
        case D3DDECLTYPE_D3DCOLOR:
        case D3DDECLTYPE_UBYTE4:
        case D3DDECLTYPE_SHORT2:
        case D3DDECLTYPE_UBYTE4N:
        case D3DDECLTYPE_SHORT2N:
        case D3DDECLTYPE_USHORT2N:
        case D3DDECLTYPE_UDEC3:
        case D3DDECLTYPE_DEC3N:
        case D3DDECLTYPE_FLOAT16_2:
            return 4;
        case D3DDECLTYPE_FLOAT2:
        case D3DDECLTYPE_SHORT4:
        case D3DDECLTYPE_SHORT4N:
        case D3DDECLTYPE_USHORT4N:
        case D3DDECLTYPE_FLOAT16_4:
            return 8;
        case D3DDECLTYPE_FLOAT3:
            return 12;
        case D3DDECLTYPE_FLOAT4:
            return 16;
        default:
            return 0;
    }
}

}  // namespace vestra::d3dx9

namespace {

using vestra::d3dx9::DeclTypeSize;

constexpr DWORD kTextureSetsMax = 8;

// Number of floats in texture coordinate set `set` (the two-bit code per set).
UINT TexCoordFloats(DWORD fvf, DWORD set) {
    static const UINT kFloats[4] = {2, 3, 4, 1};
    return kFloats[(fvf >> (16 + 2 * set)) & 3];
}

// Blend weights of an XYZ/XYZBn position: XYZB1 (0x6) .. XYZB5 (0xE) carry 1 .. 5.
UINT BetaCount(DWORD position) { return position == D3DFVF_XYZ ? 0 : (position - D3DFVF_XYZRHW) / 2; }

BYTE FloatType(UINT floats) { return (BYTE)(D3DDECLTYPE_FLOAT1 + (floats - 1)); }

bool IsEnd(const D3DVERTEXELEMENT9& e) { return e.Stream == 0xFF; }

// Fills the declaration of an FVF; false when the FVF has no declaration equivalent.
bool BuildDeclaration(DWORD fvf, D3DVERTEXELEMENT9* out) {
    UINT count = 0;
    WORD offset = 0;
    auto add = [&](BYTE type, BYTE usage, BYTE usageIndex) {
        out[count++] = {0, offset, type, D3DDECLMETHOD_DEFAULT, usage, usageIndex};
        offset = (WORD)(offset + DeclTypeSize(type));
    };

    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    if (position == D3DFVF_XYZRHW) {
        add(D3DDECLTYPE_FLOAT4, D3DDECLUSAGE_POSITIONT, 0);
    } else if (position == D3DFVF_XYZW) {
        add(D3DDECLTYPE_FLOAT4, D3DDECLUSAGE_POSITION, 0);
    } else if (position >= D3DFVF_XYZ && position <= D3DFVF_XYZB5 && !(position & 1)) {
        add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION, 0);
        UINT weights = BetaCount(position);
        const DWORD indices = fvf & (D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR);
        if (indices && weights > 0) --weights;  // the last beta holds the matrix indices
        if (weights > 4) return false;
        if (weights > 0) add(FloatType(weights), D3DDECLUSAGE_BLENDWEIGHT, 0);
        if (indices == D3DFVF_LASTBETA_UBYTE4) add(D3DDECLTYPE_UBYTE4, D3DDECLUSAGE_BLENDINDICES, 0);
        else if (indices == D3DFVF_LASTBETA_D3DCOLOR) add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_BLENDINDICES, 0);
        else if (indices) return false;
    } else if (position != 0) {
        return false;
    }

    if (fvf & D3DFVF_NORMAL) add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL, 0);
    if (fvf & D3DFVF_PSIZE) add(D3DDECLTYPE_FLOAT1, D3DDECLUSAGE_PSIZE, 0);
    if (fvf & D3DFVF_DIFFUSE) add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 0);
    if (fvf & D3DFVF_SPECULAR) add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 1);
    const DWORD sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (sets > kTextureSetsMax) return false;
    for (DWORD set = 0; set < sets; ++set) add(FloatType(TexCoordFloats(fvf, set)), D3DDECLUSAGE_TEXCOORD, (BYTE)set);
    out[count] = D3DDECL_END();
    return true;
}

// The FVF bits each element would need, ignoring order; 0 with ok = false if none fits.
DWORD CandidateFvf(const D3DVERTEXELEMENT9* decl, bool& ok) {
    DWORD fvf = 0, betas = 0;
    ok = true;
    for (const D3DVERTEXELEMENT9* e = decl; !IsEnd(*e); ++e) {
        const UINT floats = e->Type <= D3DDECLTYPE_FLOAT4 ? e->Type + 1u : 0u;
        if (e->Usage == D3DDECLUSAGE_POSITION && e->Type == D3DDECLTYPE_FLOAT3) fvf |= D3DFVF_XYZ;
        else if (e->Usage == D3DDECLUSAGE_POSITION && e->Type == D3DDECLTYPE_FLOAT4) fvf |= D3DFVF_XYZW;
        else if (e->Usage == D3DDECLUSAGE_POSITIONT && e->Type == D3DDECLTYPE_FLOAT4) fvf |= D3DFVF_XYZRHW;
        else if (e->Usage == D3DDECLUSAGE_BLENDWEIGHT && floats) betas += floats;
        else if (e->Usage == D3DDECLUSAGE_BLENDINDICES && e->Type == D3DDECLTYPE_UBYTE4)
            ++betas, fvf |= D3DFVF_LASTBETA_UBYTE4;
        else if (e->Usage == D3DDECLUSAGE_BLENDINDICES && e->Type == D3DDECLTYPE_D3DCOLOR)
            ++betas, fvf |= D3DFVF_LASTBETA_D3DCOLOR;
        else if (e->Usage == D3DDECLUSAGE_NORMAL && e->Type == D3DDECLTYPE_FLOAT3) fvf |= D3DFVF_NORMAL;
        else if (e->Usage == D3DDECLUSAGE_PSIZE && e->Type == D3DDECLTYPE_FLOAT1) fvf |= D3DFVF_PSIZE;
        else if (e->Usage == D3DDECLUSAGE_COLOR && e->Type == D3DDECLTYPE_D3DCOLOR && e->UsageIndex == 0)
            fvf |= D3DFVF_DIFFUSE;
        else if (e->Usage == D3DDECLUSAGE_COLOR && e->Type == D3DDECLTYPE_D3DCOLOR && e->UsageIndex == 1)
            fvf |= D3DFVF_SPECULAR;
        else if (e->Usage == D3DDECLUSAGE_TEXCOORD && floats && e->UsageIndex < kTextureSetsMax) {
            static const DWORD kCode[5] = {0, D3DFVF_TEXTUREFORMAT1, D3DFVF_TEXTUREFORMAT2, D3DFVF_TEXTUREFORMAT3,
                                           D3DFVF_TEXTUREFORMAT4};
            fvf |= kCode[floats] << (16 + 2 * e->UsageIndex);
            const DWORD count = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
            if (e->UsageIndex + 1u > count)
                fvf = (fvf & ~(DWORD)D3DFVF_TEXCOUNT_MASK) | ((e->UsageIndex + 1u) << D3DFVF_TEXCOUNT_SHIFT);
        } else {
            ok = false;
            return 0;
        }
    }
    if (betas > 0) {
        if (!(fvf & D3DFVF_XYZ) || betas > 5) {
            ok = false;
            return 0;
        }
        fvf = (fvf & ~(DWORD)D3DFVF_POSITION_MASK) | (D3DFVF_XYZRHW + 2 * betas);
    }
    return fvf;
}

}  // namespace

UINT WINAPI D3DXGetFVFVertexSize(DWORD FVF) {
    UINT size = 0;
    const DWORD position = FVF & D3DFVF_POSITION_MASK;
    if (position == D3DFVF_XYZRHW || position == D3DFVF_XYZW) size += 16;
    else if (position >= D3DFVF_XYZ && position <= D3DFVF_XYZB5) size += 12 + 4 * BetaCount(position);
    if (FVF & D3DFVF_NORMAL) size += 12;
    if (FVF & D3DFVF_PSIZE) size += 4;
    if (FVF & D3DFVF_DIFFUSE) size += 4;
    if (FVF & D3DFVF_SPECULAR) size += 4;
    const DWORD sets = (FVF & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    for (DWORD set = 0; set < sets && set < kTextureSetsMax; ++set) size += 4 * TexCoordFloats(FVF, set);
    return size;
}

UINT WINAPI D3DXGetDeclLength(CONST D3DVERTEXELEMENT9* pDecl) {
    if (!pDecl) return 0;
    UINT length = 0;
    while (length < MAXD3DDECLLENGTH && !IsEnd(pDecl[length])) ++length;
    return length;
}

UINT WINAPI D3DXGetDeclVertexSize(CONST D3DVERTEXELEMENT9* pDecl, DWORD Stream) {
    if (!pDecl) return 0;
    UINT size = 0;
    const UINT length = D3DXGetDeclLength(pDecl);
    for (UINT i = 0; i < length; ++i) {
        if (pDecl[i].Stream != Stream) continue;
        const UINT end = pDecl[i].Offset + DeclTypeSize(pDecl[i].Type);
        if (end > size) size = end;
    }
    return size;
}

HRESULT WINAPI D3DXDeclaratorFromFVF(DWORD FVF, D3DVERTEXELEMENT9 pDeclarator[MAX_FVF_DECL_SIZE]) {
    if (!pDeclarator) return D3DERR_INVALIDCALL;
    D3DVERTEXELEMENT9 built[MAX_FVF_DECL_SIZE];
    if (!BuildDeclaration(FVF, built)) return D3DERR_INVALIDCALL;
    memcpy(pDeclarator, built, sizeof(D3DVERTEXELEMENT9) * (D3DXGetDeclLength(built) + 1));
    return D3D_OK;
}

// An FVF exists only for declarations laid out exactly as that FVF would be, so the
// candidate is rebuilt and compared element by element.
HRESULT WINAPI D3DXFVFFromDeclarator(CONST D3DVERTEXELEMENT9* pDeclarator, DWORD* pFVF) {
    if (!pDeclarator || !pFVF) return D3DERR_INVALIDCALL;
    const UINT length = D3DXGetDeclLength(pDeclarator);
    if (length == MAXD3DDECLLENGTH) return D3DERR_INVALIDCALL;  // no end marker
    bool ok;
    const DWORD fvf = CandidateFvf(pDeclarator, ok);
    D3DVERTEXELEMENT9 expected[MAX_FVF_DECL_SIZE];
    if (!ok || !BuildDeclaration(fvf, expected) || D3DXGetDeclLength(expected) != length ||
        memcmp(expected, pDeclarator, sizeof(D3DVERTEXELEMENT9) * length) != 0)
        return D3DERR_INVALIDCALL;
    *pFVF = fvf;
    return D3D_OK;
}
