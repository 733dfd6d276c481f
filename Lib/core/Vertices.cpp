#include "Vertices.h"

#include "core/ColorPacking.h"

const DWORD UNLITVERTEX::FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
const DWORD LITVERTEX::FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
const DWORD LITCOLOREDVERTEX::FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE;
const DWORD VERTEX2D::FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

void UNLITVERTEX::Set(const D3DXVECTOR3& newPosition, const D3DXVECTOR3& newNormal, const D3DXCOLOR& newColor,
                      const D3DXVECTOR2& uv)
{
    position = newPosition;
    normal = newNormal;
    color = PackColor(newColor);
    tu = uv.x;
    tv = uv.y;
}

void LITVERTEX::Set(const D3DXVECTOR3& newPosition, const D3DXCOLOR& newColor, const D3DXVECTOR2& uv)
{
    position = newPosition;
    color = PackColor(newColor);
    tu = uv.x;
    tv = uv.y;
}

void LITCOLOREDVERTEX::Set(const D3DXVECTOR3& newPosition, const D3DXCOLOR& newColor)
{
    position = newPosition;
    color = PackColor(newColor);
}

void VERTEX2D::Set(const D3DXVECTOR2& xy, float newRhw, const D3DXCOLOR& newColor, const D3DXVECTOR2& uv)
{
    Set(xy.x, xy.y, 0.0f, newRhw, newColor, uv.x, uv.y);
}

void VERTEX2D::Set(float newX, float newY, float newZ, float newRhw, const D3DXCOLOR& newColor, float newTu,
                   float newTv)
{
    x = newX;
    y = newY;
    z = newZ;
    rhw = newRhw;
    color = PackColor(newColor);
    tu = newTu;
    tv = newTv;
}

void VERTEX2D::SetUV(const D3DXVECTOR2& uv)
{
    tu = uv.x;
    tv = uv.y;
}
