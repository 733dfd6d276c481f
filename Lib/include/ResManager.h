// The global resource manager: loads device resources from files once and shares them.
//
// Every resource is cached under the path it was loaded from, so a second request for the
// same file returns the object already loaded with one more reference, which the caller
// releases (the manager keeps its own). Requests name a file with three strings:
//
//   referencePath  a file beside which the resource lies; only its drive and directory count
//                  (often the file that names the resource; "" when there is none)
//   fileName       the resource's path relative to that directory
//   hint           stored with the record and handed back when it is reloaded; it does not
//                  take part in finding the file (callers pass ".dds")
//
// Strings are zero-terminated 8-bit text of at most 259 characters; pass "" for an argument
// you do not need. A file registry, filled by ResourceManagerRegisterFiles, lets a request
// find a file by a short relative name: files are keyed ignoring the drive, letter case,
// separators, dots and the difference between extensions of one kind (.png and .dds are
// both images), and a registered file with the request's key is loaded in its place.
//
// Failures are silent: a load that fails returns null (or the D3DX result of GetImageInfo)
// and leaves no trace, so a later request tries again.
//
// Not loaded yet: effects (GetEffect, CreateEffect), meshes (GetMesh, and with it
// ResourceManagerPreloadMeshes), frame hierarchies (GetFrameHierarchy) and their animation
// (CloneAnimationController, GetAnimationCollection) are part of the interface but, until
// their loaders exist, always report failure: null, or E_FAIL with the out pointer cleared
// for CloneAnimationController and untouched for GetAnimationCollection.
//
// The process-wide instance is created by InitializeGlobalResourceManager without a
// reference of its own; the scene takes one and releases it when it is destroyed. When the
// last reference goes, the instance clears the global pointer as it dies, so the exported
// functions behave afterwards as if no instance had been created and a new one may be
// initialised.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "CoreUnknown.h"
#include "VestraExport.h"

struct ID3DXEffect;
struct ID3DXMesh;
struct ID3DXAnimationController;
struct D3DXFRAME_EX;
class IAnimationCollection;
class IScene;

class IResManager : public ICoreUnknown {
public:
    // Reloads every record from its stored arguments; records already loaded keep their
    // object, so restoring twice changes nothing. Dropped resources come back as new
    // objects, resource textures included, even when a holder kept the old one alive.
    // Files that fail to load stay unloaded and are tried again by later requests.
    // Always S_OK.
    virtual HRESULT RestoreResources(IDirect3DDevice9* device) = 0;
    // Drops the manager's reference of every resource, whatever its pool, and marks the
    // records unloaded. Objects that others still hold keep working for them. Always S_OK.
    virtual HRESULT InvalidateResources(IDirect3DDevice9* device) = 0;

    // Image information of the resolved file; nothing is cached.
    virtual HRESULT GetImageInfo(D3DXIMAGE_INFO* info, const char* referencePath, const char* fileName,
                                 const char* hint) = 0;
    // A shared managed-pool texture with its full mip chain; null if not cached and `create`
    // is FALSE, or if loading fails. A failed load is not retried without the hint: the
    // hint does not change the path, so a retry would read the same file.
    virtual IDirect3DTexture9* GetTexture(IDirect3DDevice9* device, const char* referencePath,
                                          const char* fileName, const char* hint, BOOL create) = 0;
    // A system-memory surface of the given size and format filled from an image file. The
    // cache key is `fileName` exactly as given (no resolution, no registry), so a second
    // request with another size gets the first surface.
    virtual IDirect3DSurface9* GetSurface(IDirect3DDevice9* device, const char* fileName, UINT width,
                                          UINT height, D3DFORMAT format, BOOL create) = 0;
    virtual IDirect3DVolumeTexture9* GetVolumeTexture(IDirect3DDevice9* device, const char* referencePath,
                                                      const char* fileName, const char* hint, BOOL create) = 0;
    // A texture read from a module resource, cached by resource name alone: the same name
    // from another module returns the texture of the module asked first.
    virtual IDirect3DTexture9* GetResourceTexture(IDirect3DDevice9* device, HMODULE module, const char* name,
                                                  BOOL create) = 0;

    virtual ID3DXEffect* GetEffect(IDirect3DDevice9* device, const char* referencePath, const char* fileName,
                                   BOOL create) = 0;
    // A new, unshared effect on every call; the caller owns the only reference.
    virtual ID3DXEffect* CreateEffect(IDirect3DDevice9* device, const char* referencePath,
                                      const char* fileName) = 0;
    virtual ID3DXMesh* GetMesh(IDirect3DDevice9* device, const char* referencePath, const char* fileName,
                               BOOL create, DWORD* materialCount) = 0;
    // The root stays owned by the manager: no reference is added and it must not be freed.
    virtual D3DXFRAME_EX* GetFrameHierarchy(IDirect3DDevice9* device, const char* referencePath,
                                            const char* fileName, const char* textureReferencePath,
                                            const char* textureHint, BOOL create) = 0;
    virtual HRESULT CloneAnimationController(ID3DXAnimationController** controller, const char* referencePath,
                                             const char* fileName) = 0;
    virtual HRESULT GetAnimationCollection(IAnimationCollection** collection, const char* referencePath,
                                           const char* fileName) = 0;

protected:
    ~IResManager() = default;
};

// E_FAIL if the global instance exists already; otherwise creates it (count 0) and S_OK.
VESTRA_API HRESULT InitializeGlobalResourceManager();
// Device loss: call Invalidate before resetting the device and Restore after it. Both
// return S_OK when there is no global instance.
VESTRA_API HRESULT InvalidateGlobalResourceManager(IDirect3DDevice9* device);
VESTRA_API HRESULT RestoreGlobalResourceManager(IDirect3DDevice9* device);
// Releases the textures, surfaces and resource textures that only the manager still holds
// and reports the counts to the debugger output. Always S_OK.
VESTRA_API HRESULT FlushGlobalResourceManager();
// Loads every registered .x file as a mesh. E_FAIL with no instance or an empty registry.
VESTRA_API HRESULT ResourceManagerPreloadMeshes(IDirect3DDevice9* device);
// Registers, recursively, the files under `directory` matching the wildcard `pattern`.
// A directory is recognised by having no extension. E_FAIL with no instance.
VESTRA_API HRESULT ResourceManagerRegisterFiles(const char* directory, const char* pattern);
// Keys computed from now on ignore everything before the first occurrence of `directory`
// (case-insensitive) in a path; null clears it. Files registered earlier keep their keys.
VESTRA_API HRESULT ResourceManagerSetBaseDirectory(const char* directory);
// Whether the registered file with the key of `path` exists, or `path` itself when no
// registered file has that key (or there is no instance).
VESTRA_API BOOL ResourceManagerFileExists(const char* path);
// The scene's manager's GetTexture with the scene's device.
VESTRA_API IDirect3DTexture9* GetTextureFromFile(IScene* scene, const char* referencePath, const char* fileName,
                                                 const char* hint, int create);
