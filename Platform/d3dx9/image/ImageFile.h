// Image files as D3DX sees them: the type is found from the content (DDS, PNG, JPEG and BMP
// by signature, TGA last by a strict header check), never from the extension. Windows
// paths are resolved the way every platform file function resolves them.
#pragma once

#include <cstddef>
#include <vector>

#include "d3dx9/image/Image.h"

namespace vestra::image {

// D3DXERR_INVALIDDATA when the content is not an image we read or is damaged; `out` is
// only written on success.
HRESULT DecodeImage(const BYTE* data, size_t size, Image& out);

// D3DXERR_INVALIDDATA for a missing or unreadable file (as D3DX reports it).
HRESULT ReadWholeFile(LPCSTR windowsPath, std::vector<BYTE>& out);
HRESULT LoadImageFile(LPCSTR windowsPath, Image& out);
// E_FAIL when the file cannot be created or written.
HRESULT WriteWholeFile(LPCSTR windowsPath, const std::vector<BYTE>& bytes);

}  // namespace vestra::image
