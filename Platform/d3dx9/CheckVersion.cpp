#include <d3dx9core.h>

BOOL WINAPI D3DXCheckVersion(UINT D3DSdkVersion, UINT D3DXSdkVersion) {
    return D3DSdkVersion == D3D_SDK_VERSION && D3DXSdkVersion == D3DX_SDK_VERSION;
}
