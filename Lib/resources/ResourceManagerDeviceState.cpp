// Device loss and memory pressure: invalidation, restoration and flushing of the caches.
#include <stdio.h>

#include "resources/ResourceManager.h"

namespace {

// Drops the manager's reference. The pointer is kept while others still hold the object,
// but the unloaded record no longer owns it.
template <class Resource>
void ReleaseAndForget(Resource*& resource)
{
    if (resource->Release() == 0) {
        resource = nullptr;
    }
}

template <class Resource>
void ReleaseIfAny(Resource* resource)
{
    if (resource != nullptr) {
        resource->Release();
    }
}

template <class Cache, class Record, class Resource>
void InvalidateKind(Cache& cache, Resource* Record::*resource)
{
    for (auto& entry : cache) {
        Record& record = entry.second;
        if (record.loaded && record.*resource != nullptr) {
            record.loaded = 0;
            ReleaseAndForget(record.*resource);
        }
    }
}

// Releases the objects whose only reference is the manager's; returns how many went.
template <class Cache, class Record, class Resource>
int FlushKind(Cache& cache, Resource* Record::*resource)
{
    int removed = 0;
    for (auto& entry : cache) {
        Record& record = entry.second;
        if (!record.loaded || record.*resource == nullptr) {
            continue;
        }
        (record.*resource)->AddRef();
        if ((record.*resource)->Release() == 1) {
            (record.*resource)->Release();
            record.*resource = nullptr;
            record.loaded = 0;
            ++removed;
        }
    }
    return removed;
}

void ReportCount(const char* format, int count)
{
    char text[96];
    snprintf(text, sizeof(text), format, count);
    OutputDebugStringA(text);
}

} // namespace

HRESULT CResourceManager::InvalidateResources(IDirect3DDevice9* /*device*/)
{
    InvalidateKind(textures, &TextureRecord::texture);
    InvalidateKind(surfaces, &SurfaceRecord::surface);
    InvalidateKind(volumeTextures, &VolumeTextureRecord::texture);
    InvalidateKind(resourceTextures, &ResourceTextureEntry::texture);
    return S_OK;
}

// Every record is asked for again with its stored arguments; a loaded one answers from
// the cache, an unloaded one is loaded anew. Each get hands back a reference of its own,
// which is dropped: the record keeps the manager's. The arguments are copied first
// because the get replaces the record it reloads.
HRESULT CResourceManager::RestoreResources(IDirect3DDevice9* device)
{
    for (auto it = textures.begin(); it != textures.end(); ++it) {
        const TextureRecord record = it->second;
        ReleaseIfAny(GetTexture(device, record.referencePath.c_str(), record.fileName.c_str(), record.hint.c_str(),
                                TRUE));
    }
    for (auto it = surfaces.begin(); it != surfaces.end(); ++it) {
        const SurfaceRecord record = it->second;
        ReleaseIfAny(GetSurface(device, record.fileName.c_str(), record.width, record.height, record.format, TRUE));
    }
    for (auto it = volumeTextures.begin(); it != volumeTextures.end(); ++it) {
        const VolumeTextureRecord record = it->second;
        ReleaseIfAny(GetVolumeTexture(device, record.referencePath.c_str(), record.fileName.c_str(),
                                      record.hint.c_str(), TRUE));
    }
    // A resource texture that survived invalidation in someone else's hands is not taken
    // back: like every other kind it is created anew, and the entry owns one reference.
    for (auto it = resourceTextures.begin(); it != resourceTextures.end(); ++it) {
        const ResourceTextureKey key = it->first;
        ReleaseIfAny(GetResourceTexture(device, key.module, key.NameArgument(), TRUE));
    }
    return S_OK;
}

void CResourceManager::FlushResourcesNotInUse()
{
    OutputDebugStringA("FlushResourcesNotInUse started.\n");
    ReportCount("%d textures removed from resource manager.\n", FlushKind(textures, &TextureRecord::texture));
    ReportCount("%d surfaces removed from resource manager.\n", FlushKind(surfaces, &SurfaceRecord::surface));
    ReportCount("%d volume textures removed from resource manager.\n",
                FlushKind(volumeTextures, &VolumeTextureRecord::texture));
    // No effect is cached until effects have a loader, so none can be removed.
    ReportCount("%d effects removed from resource manager.\n", 0);
    ReportCount("%d resource textures removed from resource manager.\n",
                FlushKind(resourceTextures, &ResourceTextureEntry::texture));
    OutputDebugStringA("FlushResourcesNotInUse finished.\n");
}
