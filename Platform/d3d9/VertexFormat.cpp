#include "d3d9/VertexFormat.h"

namespace vestra::d3d9 {

namespace {

constexpr D3DVERTEXELEMENT9 kEnd = D3DDECL_END();

bool IsEnd(const D3DVERTEXELEMENT9& e) { return e.Stream == 0xFF && e.Type == D3DDECLTYPE_UNUSED; }

D3DVERTEXELEMENT9 Element(WORD offset, D3DDECLTYPE type, D3DDECLUSAGE usage, BYTE index = 0) {
    return {0, offset, static_cast<BYTE>(type), D3DDECLMETHOD_DEFAULT, static_cast<BYTE>(usage), index};
}

UINT TypeSize(BYTE type) {
    switch (type) {
        case D3DDECLTYPE_FLOAT1: return 4;
        case D3DDECLTYPE_FLOAT2: return 8;
        case D3DDECLTYPE_FLOAT3: return 12;
        case D3DDECLTYPE_FLOAT4: return 16;
        case D3DDECLTYPE_SHORT4:
        case D3DDECLTYPE_SHORT4N:
        case D3DDECLTYPE_USHORT4N:
        case D3DDECLTYPE_FLOAT16_4: return 8;
        default: return 4;
    }
}

}  // namespace

bool FvfToDeclaration(DWORD fvf, std::vector<D3DVERTEXELEMENT9>& elements) {
    elements.clear();
    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    const UINT texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (fvf & D3DFVF_RESERVED0 || texCount > 8) return false;
    const DWORD lastBeta = fvf & (D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR);
    if (lastBeta == (D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR)) return false;

    WORD offset = 0;
    auto add = [&](D3DDECLTYPE type, D3DDECLUSAGE usage, BYTE index = 0) {
        elements.push_back(Element(offset, type, usage, index));
        offset = static_cast<WORD>(offset + TypeSize(static_cast<BYTE>(type)));
    };
    switch (position) {
        case D3DFVF_XYZ: add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION); break;
        case D3DFVF_XYZRHW: add(D3DDECLTYPE_FLOAT4, D3DDECLUSAGE_POSITIONT); break;
        case D3DFVF_XYZW: add(D3DDECLTYPE_FLOAT4, D3DDECLUSAGE_POSITION); break;
        case D3DFVF_XYZB1:
        case D3DFVF_XYZB2:
        case D3DFVF_XYZB3:
        case D3DFVF_XYZB4:
        case D3DFVF_XYZB5: {
            add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_POSITION);
            UINT betas = (position - 4) / 2;
            const bool packedIndices = lastBeta != 0;
            if (packedIndices) --betas;
            if (betas > 0)
                add(static_cast<D3DDECLTYPE>(D3DDECLTYPE_FLOAT1 + betas - 1), D3DDECLUSAGE_BLENDWEIGHT);
            if (packedIndices)
                add(lastBeta == D3DFVF_LASTBETA_UBYTE4 ? D3DDECLTYPE_UBYTE4 : D3DDECLTYPE_D3DCOLOR,
                    D3DDECLUSAGE_BLENDINDICES);
            break;
        }
        default: return false;
    }
    if (lastBeta && (position == D3DFVF_XYZ || position == D3DFVF_XYZRHW || position == D3DFVF_XYZW)) return false;
    if (fvf & D3DFVF_NORMAL) add(D3DDECLTYPE_FLOAT3, D3DDECLUSAGE_NORMAL);
    if (fvf & D3DFVF_PSIZE) add(D3DDECLTYPE_FLOAT1, D3DDECLUSAGE_PSIZE);
    if (fvf & D3DFVF_DIFFUSE) add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 0);
    if (fvf & D3DFVF_SPECULAR) add(D3DDECLTYPE_D3DCOLOR, D3DDECLUSAGE_COLOR, 1);
    for (UINT set = 0; set < texCount; ++set) {
        static const D3DDECLTYPE bySizeCode[4] = {D3DDECLTYPE_FLOAT2, D3DDECLTYPE_FLOAT3, D3DDECLTYPE_FLOAT4,
                                                  D3DDECLTYPE_FLOAT1};
        add(bySizeCode[(fvf >> (16 + 2 * set)) & 3], D3DDECLUSAGE_TEXCOORD, static_cast<BYTE>(set));
    }
    // Size codes of sets beyond the count would describe coordinates that do not exist.
    if (texCount < 8 && (fvf >> (16 + 2 * texCount)) != 0) return false;
    elements.push_back(kEnd);
    return true;
}

UINT FvfVertexSize(DWORD fvf) {
    std::vector<D3DVERTEXELEMENT9> elements;
    if (!FvfToDeclaration(fvf, elements)) return 0;
    UINT size = 0;
    for (const D3DVERTEXELEMENT9& e : elements)
        if (!IsEnd(e)) size = e.Offset + TypeSize(e.Type);
    return size;
}

DWORD DeclarationToFvf(const D3DVERTEXELEMENT9* elements) {
    DWORD fvf = 0;
    UINT weights = 0;
    DWORD lastBeta = 0;
    UINT texCount = 0;
    for (const D3DVERTEXELEMENT9* e = elements; !IsEnd(*e); ++e) {
        switch (e->Usage) {
            case D3DDECLUSAGE_POSITION: fvf |= e->Type == D3DDECLTYPE_FLOAT4 ? D3DFVF_XYZW : D3DFVF_XYZ; break;
            case D3DDECLUSAGE_POSITIONT: fvf |= D3DFVF_XYZRHW; break;
            case D3DDECLUSAGE_BLENDWEIGHT: weights = e->Type - D3DDECLTYPE_FLOAT1 + 1; break;
            case D3DDECLUSAGE_BLENDINDICES:
                lastBeta = e->Type == D3DDECLTYPE_UBYTE4 ? D3DFVF_LASTBETA_UBYTE4 : D3DFVF_LASTBETA_D3DCOLOR;
                break;
            case D3DDECLUSAGE_NORMAL: fvf |= D3DFVF_NORMAL; break;
            case D3DDECLUSAGE_PSIZE: fvf |= D3DFVF_PSIZE; break;
            case D3DDECLUSAGE_COLOR: fvf |= e->UsageIndex == 0 ? D3DFVF_DIFFUSE : D3DFVF_SPECULAR; break;
            case D3DDECLUSAGE_TEXCOORD: {
                static const DWORD sizeCode[4] = {3, 0, 1, 2};  // FLOAT1..FLOAT4
                if (e->Type <= D3DDECLTYPE_FLOAT4) fvf |= sizeCode[e->Type] << (16 + 2 * e->UsageIndex);
                ++texCount;
                break;
            }
            default: return 0;
        }
    }
    const UINT betas = weights + (lastBeta ? 1 : 0);
    if (betas > 0) {
        if ((fvf & D3DFVF_POSITION_MASK) != D3DFVF_XYZ || betas > 5) return 0;
        fvf = (fvf & ~static_cast<DWORD>(D3DFVF_POSITION_MASK)) | (4 + 2 * betas) | lastBeta;
    }
    fvf |= texCount << D3DFVF_TEXCOUNT_SHIFT;

    // Only a declaration that the FVF reproduces element for element is equivalent.
    std::vector<D3DVERTEXELEMENT9> expected;
    if (!FvfToDeclaration(fvf, expected)) return 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const D3DVERTEXELEMENT9& a = expected[i];
        const D3DVERTEXELEMENT9& b = elements[i];
        if (a.Stream != b.Stream || a.Offset != b.Offset || a.Type != b.Type || a.Usage != b.Usage ||
            a.UsageIndex != b.UsageIndex || (!IsEnd(a) && b.Method != D3DDECLMETHOD_DEFAULT))
            return 0;
        if (IsEnd(a) != IsEnd(b)) return 0;
    }
    return fvf;
}

bool ReadDeclaration(const D3DVERTEXELEMENT9* elements, std::vector<D3DVERTEXELEMENT9>& out) {
    out.clear();
    if (!elements) return false;
    for (UINT i = 0;; ++i) {
        const D3DVERTEXELEMENT9& e = elements[i];
        if (IsEnd(e)) break;
        if (i >= MAXD3DDECLLENGTH) return false;
        if (e.Stream >= 16 || e.Type >= D3DDECLTYPE_UNUSED || e.Method > D3DDECLMETHOD_LOOKUPPRESAMPLED ||
            e.Usage > D3DDECLUSAGE_SAMPLE || e.UsageIndex > MAXD3DDECLUSAGEINDEX || e.Offset % 4 != 0)
            return false;
        for (const D3DVERTEXELEMENT9& earlier : out)
            if (earlier.Usage == e.Usage && earlier.UsageIndex == e.UsageIndex) return false;
        out.push_back(e);
    }
    out.push_back(kEnd);
    return true;
}

}  // namespace vestra::d3d9
