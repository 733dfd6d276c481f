// The records the resource manager keeps per cached resource.
//
// A record is never removed before the manager dies; invalidation and flushing only drop
// its resource and clear `loaded`. The common fields are what a reload needs.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <string>

struct ResourceRecord {
    std::string referencePath;
    std::string fileName;
    // 1 while the record holds the manager's reference of a live resource. A pointer left
    // in an unloaded record (someone else kept the object alive) is not the manager's.
    BYTE loaded = 0;
};

struct TextureRecord : ResourceRecord {
    std::string hint;
    IDirect3DTexture9* texture = nullptr;
};

struct VolumeTextureRecord : ResourceRecord {
    std::string hint;
    IDirect3DVolumeTexture9* texture = nullptr;
};

// Keyed by the file name exactly as given; referencePath stays empty.
struct SurfaceRecord : ResourceRecord {
    IDirect3DSurface9* surface = nullptr;
    UINT width = 0;
    UINT height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
};

// The module is kept for reloading, but keys are told apart by name alone. Integer
// resource ids (MAKEINTRESOURCE) are kept as "#<id>", the text form resource lookups also
// accept, and are handed back to the loader as ids.
struct ResourceTextureKey {
    ResourceTextureKey(HMODULE module, const char* name);

    // The name as the loader takes it.
    LPCSTR NameArgument() const;

    HMODULE module;
    std::string name;
};

struct ResourceTextureKeyOrder {
    bool operator()(const ResourceTextureKey& a, const ResourceTextureKey& b) const { return a.name < b.name; }
};

// `loaded` tells whether the manager owns a reference of `texture`; without it an entry
// whose texture survived invalidation in someone else's hands could not be told from one
// the manager may release or hand out.
struct ResourceTextureEntry {
    BYTE loaded = 0;
    IDirect3DTexture9* texture = nullptr;
};
