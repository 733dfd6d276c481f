#include <string>

#include "resources/PathParts.h"
#include "resources/ResourceManager.h"

namespace {

bool IsModelExtension(const char* extension)
{
    return (extension[0] == '.') && (extension[1] == 'x' || extension[1] == 'X') && extension[2] == '\0';
}

} // namespace

HRESULT CResourceManager::PreloadMeshes(IDirect3DDevice9* device)
{
    const std::map<DWORD, std::string>& files = registry.Files();
    if (files.empty()) {
        return E_FAIL;
    }
    // The registered file is named by its directory without the drive, so the request
    // resolves on the current drive, as every other request does; a load that fails
    // leaves nothing behind and is not reported.
    for (const auto& [key, fullPath] : files) {
        const CPathParts parts(fullPath.c_str());
        if (!IsModelExtension(parts.extension)) {
            continue;
        }
        const std::string fileName = std::string(parts.name) + parts.extension;
        ID3DXMesh* mesh = GetMesh(device, parts.directory, fileName.c_str(), TRUE, nullptr);
        if (mesh != nullptr) {
            mesh->Release();
        }
    }
    return S_OK;
}
