// Accelerator tables: keystrokes turned into WM_COMMAND before translation and dispatch.
#include <windows.h>

#include <cstring>
#include <vector>

#include "win32/window/KeyState.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace {

HandleTable<std::vector<ACCEL>>& Tables() {
    static HandleTable<std::vector<ACCEL>> tables;
    return tables;
}

// The resource form of an entry: 8 bytes, bit 0x80 of fVirt on the last one.
struct ResourceEntry {
    WORD fVirt;
    WORD key;
    WORD cmd;
    WORD pad;
};
constexpr WORD kLastEntry = 0x80;
constexpr LPARAM kAltDownBit = 1 << 29;

bool Matches(const ACCEL& entry, const MSG& message) {
    const bool keyMessage = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool charMessage = message.message == WM_CHAR || message.message == WM_SYSCHAR;
    const bool virtualKey = (entry.fVirt & FVIRTKEY) != 0;
    if ((virtualKey && !keyMessage) || (!virtualKey && !charMessage) || entry.key != message.wParam) return false;
    const bool alt = (message.lParam & kAltDownBit) != 0 || IsKeyDown(VK_MENU);
    if (((entry.fVirt & FALT) != 0) != alt) return false;
    // Character entries already carry Shift and Ctrl in the character itself.
    if (!virtualKey) return true;
    return ((entry.fVirt & FSHIFT) != 0) == IsKeyDown(VK_SHIFT) && ((entry.fVirt & FCONTROL) != 0) == IsKeyDown(VK_CONTROL);
}

}  // namespace

HACCEL WINAPI CreateAcceleratorTableA(LPACCEL paccel, int cAccel) {
    if (paccel == nullptr || cAccel <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Tables().Insert<HACCEL>(std::make_unique<std::vector<ACCEL>>(paccel, paccel + cAccel));
}

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
    const HRSRC resource = FindResourceA(hInstance, lpTableName, RT_ACCELERATOR);
    if (resource == nullptr) return nullptr;
    const DWORD size = SizeofResource(hInstance, resource);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, resource)));
    std::vector<ACCEL> entries;
    for (DWORD offset = 0; bytes != nullptr && offset + sizeof(ResourceEntry) <= size; offset += sizeof(ResourceEntry)) {
        ResourceEntry entry;
        std::memcpy(&entry, bytes + offset, sizeof(entry));
        entries.push_back(ACCEL{static_cast<BYTE>(entry.fVirt & 0x7F), entry.key, entry.cmd});
        if ((entry.fVirt & kLastEntry) != 0) break;
    }
    if (entries.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) { return Tables().Erase(hAccel) ? TRUE : FALSE; }

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    const std::vector<ACCEL>* table = Tables().Find(hAccTable);
    if (table == nullptr || lpMsg == nullptr || !IsWindow(hWnd)) {
        SetLastError(table == nullptr ? ERROR_INVALID_ACCEL_HANDLE : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    for (const ACCEL& entry : *table) {
        if (!Matches(entry, *lpMsg)) continue;
        // Commands in the window-menu range go out as the system commands they are.
        if (entry.cmd >= 0xF000) {
            SendMessageA(hWnd, WM_SYSCOMMAND, entry.cmd, 0);
        } else {
            SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        }
        return 1;
    }
    return 0;
}
