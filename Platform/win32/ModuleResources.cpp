// Module resources registered by the host (Linux executables carry no Win32 resources)
// and found again through the Win32 resource functions.
#include <windows.h>

#include <stdlib.h>

#include <deque>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "win32/CaseInsensitive.h"
#include "win32/Module.h"

namespace {

// A resource type or name: a 16-bit id, or a string kept upper-cased because Windows
// compares resource strings without regard to case.
struct ResourceId {
    bool isNumber = false;
    WORD number = 0;
    std::string text;

    bool operator==(const ResourceId& other) const {
        return isNumber == other.isNumber && number == other.number && text == other.text;
    }
};

ResourceId MakeId(LPCSTR nameOrId) {
    ResourceId id;
    if (IS_INTRESOURCE(nameOrId)) {
        id.isNumber = true;
        id.number = LOWORD(nameOrId);
        return id;
    }
    // "#123" names resource number 123, as resource scripts and FindResource read it.
    if (nameOrId[0] == '#' && nameOrId[1] != '\0') {
        char* end = nullptr;
        const unsigned long value = strtoul(nameOrId + 1, &end, 10);
        if (*end == '\0' && value <= 0xFFFF) {
            id.isNumber = true;
            id.number = static_cast<WORD>(value);
            return id;
        }
    }
    for (const char* c = nameOrId; *c != '\0'; ++c) {
        id.text.push_back(vestra::win32::ToUpperAscii(*c));
    }
    return id;
}

struct Resource {
    HMODULE module;
    ResourceId type;
    ResourceId name;
    std::vector<unsigned char> bytes;  // never empty, so even a 0-byte resource has an address
    DWORD size;
};

// Entries are never removed: a handle or pointer once handed out stays valid for the
// life of the process, as resources of a loaded module do. A newer registration of the
// same resource is found first because lookups run newest to oldest.
std::mutex g_resourcesMutex;
std::deque<Resource> g_resources;
std::unordered_set<const Resource*> g_handles;

const Resource* FromHandle(HRSRC handle) {
    const auto* resource = reinterpret_cast<const Resource*>(handle);
    return g_handles.count(resource) != 0 ? resource : nullptr;
}

}  // namespace

BOOL VestraRegisterResource(HMODULE module, LPCSTR type, LPCSTR name, const void* data, DWORD size) {
    if (type == NULL || name == NULL || (data == NULL && size > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Resource resource{vestra::win32::ModuleOrExecutable(module), MakeId(type), MakeId(name),
                      std::vector<unsigned char>(size > 0 ? size : 1), size};
    if (size > 0) {
        memcpy(resource.bytes.data(), data, size);
    }
    std::lock_guard<std::mutex> lock(g_resourcesMutex);
    g_resources.push_back(std::move(resource));
    g_handles.insert(&g_resources.back());
    return TRUE;
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    if (lpName == NULL || lpType == NULL) {
        SetLastError(lpType == NULL ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
        return NULL;
    }
    const HMODULE module = vestra::win32::ModuleOrExecutable(hModule);
    const ResourceId type = MakeId(lpType);
    const ResourceId name = MakeId(lpName);
    bool typeSeen = false;
    std::lock_guard<std::mutex> lock(g_resourcesMutex);
    for (auto it = g_resources.rbegin(); it != g_resources.rend(); ++it) {
        if (it->module != module || !(it->type == type)) {
            continue;
        }
        typeSeen = true;
        if (it->name == name) {
            return reinterpret_cast<HRSRC>(const_cast<Resource*>(&*it));
        }
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return NULL;
}

HGLOBAL WINAPI LoadResource(HMODULE /*hModule*/, HRSRC hResInfo) {
    std::lock_guard<std::mutex> lock(g_resourcesMutex);
    const Resource* resource = FromHandle(hResInfo);
    if (resource == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return NULL;
    }
    // The loaded resource is its bytes, so LockResource only has to hand the pointer back.
    return const_cast<unsigned char*>(resource->bytes.data());
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE /*hModule*/, HRSRC hResInfo) {
    std::lock_guard<std::mutex> lock(g_resourcesMutex);
    const Resource* resource = FromHandle(hResInfo);
    if (resource == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return resource->size;
}
