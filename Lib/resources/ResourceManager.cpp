#include "resources/ResourceManager.h"

#include <utility>

#include "resources/GlobalResourceManager.h"

namespace {

// Path arguments must not be null; a null one is read as "" rather than crashing.
const char* Text(const char* text)
{
    return text != nullptr ? text : "";
}

template <class Resource>
Resource* WithReference(Resource* resource)
{
    resource->AddRef();
    return resource;
}

// The cached-get protocol shared by the file-backed texture kinds: a loaded record answers
// from the cache; otherwise, if asked to, the file is loaded and a complete new record
// replaces any unloaded one under the key. Failures leave the cache as it was.
template <class Record, class Load>
auto GetCachedTexture(std::map<std::string, Record>& cache, const std::string& key, const char* referencePath,
                      const char* fileName, const char* hint, BOOL create, Load load) -> decltype(Record::texture)
{
    const auto cached = cache.find(key);
    if (cached != cache.end() && cached->second.loaded) {
        return WithReference(cached->second.texture);
    }
    if (!create) {
        return nullptr;
    }
    decltype(Record::texture) texture = nullptr;
    if (FAILED(load(key.c_str(), &texture)) || texture == nullptr) {
        return nullptr;
    }
    Record record;
    record.referencePath = referencePath;
    record.fileName = fileName;
    record.loaded = 1;
    record.hint = hint;
    record.texture = texture;
    cache[key] = std::move(record);
    return WithReference(texture);
}

} // namespace

CResourceManager::~CResourceManager()
{
    DetachGlobalResourceManager(this);
    InvalidateResources(nullptr);
}

bool CResourceManager::QueryInterface(const GUID& id, void** out)
{
    if (out == nullptr) {
        return false;
    }
    *out = nullptr;
    if (IsEqualGUID(id, IID_ICoreUnknown) || IsEqualGUID(id, IID_IResManager)) {
        *out = static_cast<IResManager*>(this);
        AddRef();
    }
    return *out != nullptr;
}

// The hint takes no part in finding an image: only the resolved path counts.
HRESULT CResourceManager::GetImageInfo(D3DXIMAGE_INFO* info, const char* referencePath, const char* fileName,
                                       const char* /*hint*/)
{
    const std::string path = registry.ResolveResourcePath(Text(referencePath), Text(fileName));
    return D3DXGetImageInfoFromFileA(path.c_str(), info);
}

IDirect3DTexture9* CResourceManager::GetTexture(IDirect3DDevice9* device, const char* referencePath,
                                                const char* fileName, const char* hint, BOOL create)
{
    const std::string key = registry.ResolveResourcePath(Text(referencePath), Text(fileName));
    return GetCachedTexture(textures, key, Text(referencePath), Text(fileName), Text(hint), create,
                            [device](const char* path, IDirect3DTexture9** texture) {
                                return D3DXCreateTextureFromFileA(device, path, texture);
                            });
}

IDirect3DVolumeTexture9* CResourceManager::GetVolumeTexture(IDirect3DDevice9* device, const char* referencePath,
                                                            const char* fileName, const char* hint, BOOL create)
{
    const std::string key = registry.ResolveResourcePath(Text(referencePath), Text(fileName));
    return GetCachedTexture(volumeTextures, key, Text(referencePath), Text(fileName), Text(hint), create,
                            [device](const char* path, IDirect3DVolumeTexture9** texture) {
                                return D3DXCreateVolumeTextureFromFileA(device, path, texture);
                            });
}

IDirect3DSurface9* CResourceManager::GetSurface(IDirect3DDevice9* device, const char* fileName, UINT width,
                                                UINT height, D3DFORMAT format, BOOL create)
{
    const std::string key = Text(fileName);
    const auto cached = surfaces.find(key);
    if (cached != surfaces.end() && cached->second.loaded) {
        return WithReference(cached->second.surface);
    }
    if (!create || device == nullptr) {
        return nullptr;
    }
    IDirect3DSurface9* surface = nullptr;
    if (FAILED(device->CreateOffscreenPlainSurface(width, height, format, D3DPOOL_SYSTEMMEM, &surface, nullptr)) ||
        surface == nullptr) {
        return nullptr;
    }
    if (FAILED(D3DXLoadSurfaceFromFileA(surface, nullptr, nullptr, key.c_str(), nullptr, D3DX_FILTER_NONE, 0,
                                        nullptr))) {
        surface->Release();
        return nullptr;
    }
    SurfaceRecord record;
    record.fileName = key;
    record.loaded = 1;
    record.surface = surface;
    record.width = width;
    record.height = height;
    record.format = format;
    surfaces[key] = std::move(record);
    return WithReference(surface);
}

IDirect3DTexture9* CResourceManager::GetResourceTexture(IDirect3DDevice9* device, HMODULE module, const char* name,
                                                        BOOL create)
{
    const ResourceTextureKey key(module, name);
    const auto cached = resourceTextures.find(key);
    if (cached != resourceTextures.end() && cached->second.loaded) {
        return WithReference(cached->second.texture);
    }
    if (!create) {
        return nullptr;
    }
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(D3DXCreateTextureFromResourceA(device, module, key.NameArgument(), &texture)) || texture == nullptr) {
        return nullptr;
    }
    // An entry already under this name keeps the module it was first stored with.
    ResourceTextureEntry& entry = resourceTextures[key];
    entry.loaded = 1;
    entry.texture = texture;
    return WithReference(texture);
}

// Effects, meshes, frame hierarchies and animation have no loader yet: every request for
// them fails as a load failure would, leaving nothing cached.

ID3DXEffect* CResourceManager::GetEffect(IDirect3DDevice9* /*device*/, const char* /*referencePath*/,
                                         const char* /*fileName*/, BOOL /*create*/)
{
    return nullptr;
}

ID3DXEffect* CResourceManager::CreateEffect(IDirect3DDevice9* /*device*/, const char* /*referencePath*/,
                                            const char* /*fileName*/)
{
    return nullptr;
}

ID3DXMesh* CResourceManager::GetMesh(IDirect3DDevice9* /*device*/, const char* /*referencePath*/,
                                     const char* /*fileName*/, BOOL /*create*/, DWORD* /*materialCount*/)
{
    return nullptr;
}

D3DXFRAME_EX* CResourceManager::GetFrameHierarchy(IDirect3DDevice9* /*device*/, const char* /*referencePath*/,
                                                  const char* /*fileName*/, const char* /*textureReferencePath*/,
                                                  const char* /*textureHint*/, BOOL /*create*/)
{
    return nullptr;
}

HRESULT CResourceManager::CloneAnimationController(ID3DXAnimationController** controller,
                                                   const char* /*referencePath*/, const char* /*fileName*/)
{
    if (controller != nullptr) {
        *controller = nullptr;
    }
    return E_FAIL;
}

HRESULT CResourceManager::GetAnimationCollection(IAnimationCollection** /*collection*/,
                                                 const char* /*referencePath*/, const char* /*fileName*/)
{
    return E_FAIL;
}
