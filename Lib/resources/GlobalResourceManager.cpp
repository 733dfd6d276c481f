// The process-wide instance and the exported functions that reach it.
#include "resources/GlobalResourceManager.h"

#include <shlwapi.h>

#include <new>

#include "IScene.h"
#include "resources/ResourceManager.h"

namespace {

// Holds no reference: the scene does. The instance clears this as it dies, so the
// functions below never reach a destroyed manager.
CResourceManager* globalInstance = nullptr;

} // namespace

CResourceManager* GetGlobalResourceManager()
{
    return globalInstance;
}

void DetachGlobalResourceManager(const CResourceManager* dying)
{
    if (globalInstance == dying) {
        globalInstance = nullptr;
    }
}

HRESULT InitializeGlobalResourceManager()
{
    if (globalInstance != nullptr) {
        return E_FAIL;
    }
    globalInstance = new (std::nothrow) CResourceManager();
    return globalInstance != nullptr ? S_OK : E_FAIL;
}

HRESULT InvalidateGlobalResourceManager(IDirect3DDevice9* device)
{
    return globalInstance != nullptr ? globalInstance->InvalidateResources(device) : S_OK;
}

HRESULT RestoreGlobalResourceManager(IDirect3DDevice9* device)
{
    return globalInstance != nullptr ? globalInstance->RestoreResources(device) : S_OK;
}

HRESULT FlushGlobalResourceManager()
{
    if (globalInstance == nullptr) {
        OutputDebugStringA("FlushGlobalResourceManager called, but no global resource manager exists\n");
        return S_OK;
    }
    globalInstance->FlushResourcesNotInUse();
    return S_OK;
}

HRESULT ResourceManagerPreloadMeshes(IDirect3DDevice9* device)
{
    return globalInstance != nullptr ? globalInstance->PreloadMeshes(device) : E_FAIL;
}

HRESULT ResourceManagerRegisterFiles(const char* directory, const char* pattern)
{
    if (globalInstance == nullptr) {
        return E_FAIL;
    }
    globalInstance->Registry().RegisterFiles(directory, pattern);
    return S_OK;
}

HRESULT ResourceManagerSetBaseDirectory(const char* directory)
{
    if (globalInstance == nullptr) {
        return E_FAIL;
    }
    globalInstance->Registry().SetBaseDirectory(directory);
    return S_OK;
}

BOOL ResourceManagerFileExists(const char* path)
{
    return globalInstance != nullptr ? globalInstance->Registry().FileExists(path) : PathFileExistsA(path);
}

IDirect3DTexture9* GetTextureFromFile(IScene* scene, const char* referencePath, const char* fileName,
                                      const char* hint, int create)
{
    if (scene == nullptr) {
        return nullptr;
    }
    IResManager* manager = scene->GetResourceManager();
    if (manager == nullptr) {
        return nullptr;
    }
    return manager->GetTexture(scene->GetDevice(), referencePath, fileName, hint, create);
}
