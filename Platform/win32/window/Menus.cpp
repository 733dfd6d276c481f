// Menus as the window code needs them: loaded from host resources, attached to windows,
// items checked and enabled by command id or position.
#include <windows.h>

#include <cstring>
#include <vector>

#include "PlatformWindowing.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace {

struct MenuItem {
    UINT id;
    UINT state;  // MF_CHECKED | MF_GRAYED | MF_DISABLED
};

HandleTable<std::vector<MenuItem>>& Menus() {
    static HandleTable<std::vector<MenuItem>> menus;
    return menus;
}

constexpr UINT kNoItem = 0xFFFFFFFFu;

MenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
    std::vector<MenuItem>* items = Menus().Find(menu);
    if (items == nullptr) return nullptr;
    if ((flags & MF_BYPOSITION) != 0) return item < items->size() ? &(*items)[item] : nullptr;
    for (MenuItem& candidate : *items) {
        if (candidate.id == item) return &candidate;
    }
    return nullptr;
}

}  // namespace

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    const HRSRC resource = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (resource == nullptr) return nullptr;
    const DWORD size = SizeofResource(hInstance, resource);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, resource)));
    auto items = std::make_unique<std::vector<MenuItem>>();
    for (DWORD offset = 0; bytes != nullptr && offset + sizeof(VestraMenuItem) <= size; offset += sizeof(VestraMenuItem)) {
        VestraMenuItem item;
        std::memcpy(&item, bytes + offset, sizeof(item));
        items->push_back(MenuItem{item.id, static_cast<UINT>(item.flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED))});
    }
    return Menus().Insert<HMENU>(std::move(items));
}

HMENU WINAPI GetMenu(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window == nullptr || (window->style & WS_CHILD) != 0 ? nullptr : window->menu;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr || (window->style & WS_CHILD) != 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (hMenu != nullptr && Menus().Find(hMenu) == nullptr) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    const bool hadMenu = window->menu != nullptr;
    window->menu = hMenu;
    // The menu bar takes its height from the client area; the window keeps its size.
    if (hadMenu != (hMenu != nullptr)) SendSizeAndMove(*window);
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    MenuItem* item = FindItem(hMenu, uIDCheckItem, uCheck);
    if (item == nullptr) return kNoItem;
    const DWORD previous = item->state & MF_CHECKED;
    item->state = (item->state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    MenuItem* item = FindItem(hMenu, uIDEnableItem, uEnable);
    if (item == nullptr) return static_cast<BOOL>(kNoItem);
    const UINT previous = item->state & (MF_GRAYED | MF_DISABLED);
    item->state = (item->state & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    const MenuItem* item = FindItem(hMenu, uId, uFlags);
    return item == nullptr ? kNoItem : item->state;
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    if (!Menus().Erase(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    for (HWND handle : AllWindows()) {
        Window* window = FindWindowState(handle);
        if (window->menu == hMenu && (window->style & WS_CHILD) == 0) window->menu = nullptr;
    }
    return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hWnd) { return IsWindow(hWnd); }
