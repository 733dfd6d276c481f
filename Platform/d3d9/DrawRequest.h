// A draw call after validation: everything the pipeline needs to produce its pixels.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

class CVertexDeclaration;

struct DrawRequest {
    D3DPRIMITIVETYPE type;
    UINT primitiveCount;
    // Vertex data: `vertexCount` vertices of `stride` bytes at `vertices`. For indexed
    // draws, index i names vertex (index + baseVertexIndex) of that array.
    const BYTE* vertices;
    UINT vertexCount;
    UINT stride;
    DWORD fvf;  // 0 when the declaration has no FVF equivalent
    const CVertexDeclaration* declaration;
    // Indexed draws only: `indexCount` indices of `indexFormat` at `indices`.
    const void* indices;
    UINT indexCount;
    D3DFORMAT indexFormat;
    INT baseVertexIndex;
};

// Vertices the primitive stream of `count` primitives of `type` references (N points,
// 2N for a line list, N+1 for a line strip, 3N for a triangle list, N+2 for triangle
// strips and fans); 0 for an invalid type.
UINT VerticesForPrimitives(D3DPRIMITIVETYPE type, UINT count);

}  // namespace vestra::d3d9
