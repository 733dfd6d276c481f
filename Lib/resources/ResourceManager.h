// CResourceManager: the implementation behind IResManager (see ResManager.h).
//
// Loading and the cached gets live in ResourceManager.cpp; invalidation, restoration and
// flushing in ResourceManagerDeviceState.cpp.
#pragma once

#include <map>
#include <string>

#include "ResManager.h"
#include "core/CoreRefCount.h"
#include "resources/FileRegistry.h"
#include "resources/ResourceRecords.h"

class CResourceManager : public IResManager, public CCoreRefCount {
public:
    CResourceManager() = default;
    // Invalidates everything (releasing the manager's references) and, if this is the
    // global instance, clears the global pointer.
    ~CResourceManager() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override { return CCoreRefCount::AddRef(); }
    ULONG Release() override { return CCoreRefCount::Release(); }

    HRESULT RestoreResources(IDirect3DDevice9* device) override;
    HRESULT InvalidateResources(IDirect3DDevice9* device) override;

    HRESULT GetImageInfo(D3DXIMAGE_INFO* info, const char* referencePath, const char* fileName,
                         const char* hint) override;
    IDirect3DTexture9* GetTexture(IDirect3DDevice9* device, const char* referencePath, const char* fileName,
                                  const char* hint, BOOL create) override;
    IDirect3DSurface9* GetSurface(IDirect3DDevice9* device, const char* fileName, UINT width, UINT height,
                                  D3DFORMAT format, BOOL create) override;
    IDirect3DVolumeTexture9* GetVolumeTexture(IDirect3DDevice9* device, const char* referencePath,
                                              const char* fileName, const char* hint, BOOL create) override;
    IDirect3DTexture9* GetResourceTexture(IDirect3DDevice9* device, HMODULE module, const char* name,
                                          BOOL create) override;

    ID3DXEffect* GetEffect(IDirect3DDevice9* device, const char* referencePath, const char* fileName,
                           BOOL create) override;
    ID3DXEffect* CreateEffect(IDirect3DDevice9* device, const char* referencePath, const char* fileName) override;
    ID3DXMesh* GetMesh(IDirect3DDevice9* device, const char* referencePath, const char* fileName, BOOL create,
                       DWORD* materialCount) override;
    D3DXFRAME_EX* GetFrameHierarchy(IDirect3DDevice9* device, const char* referencePath, const char* fileName,
                                    const char* textureReferencePath, const char* textureHint,
                                    BOOL create) override;
    HRESULT CloneAnimationController(ID3DXAnimationController** controller, const char* referencePath,
                                     const char* fileName) override;
    HRESULT GetAnimationCollection(IAnimationCollection** collection, const char* referencePath,
                                   const char* fileName) override;

    // Releases every texture, surface and resource texture whose only reference is the
    // manager's, writing the counts to the debugger output.
    void FlushResourcesNotInUse();
    // Loads every registered .x file as a mesh; E_FAIL if nothing is registered.
    HRESULT PreloadMeshes(IDirect3DDevice9* device);

    CFileRegistry& Registry() { return registry; }

private:
    std::map<std::string, TextureRecord> textures;
    std::map<std::string, SurfaceRecord> surfaces;
    std::map<std::string, VolumeTextureRecord> volumeTextures;
    std::map<ResourceTextureKey, ResourceTextureEntry, ResourceTextureKeyOrder> resourceTextures;
    CFileRegistry registry;
};
