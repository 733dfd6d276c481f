// Modal dialog boxes built from host-registered templates, and the dialog helpers.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "PlatformWindowing.h"
#include "win32/window/Controls.h"
#include "win32/window/HostDisplay.h"
#include "win32/window/MessageQueue.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace {

struct DialogHook {
    VestraDialogHook hook = nullptr;
    void* context = nullptr;
};

DialogHook& Hook() {
    static DialogHook hook;
    return hook;
}

struct DialogTemplate {
    VestraDialogTemplate header{};
    std::vector<VestraDialogControl> controls;
};

bool ReadTemplate(HINSTANCE instance, LPCSTR name, DialogTemplate* result) {
    const HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    if (resource == nullptr) return false;
    const DWORD size = SizeofResource(instance, resource);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
    if (bytes == nullptr || size < sizeof(VestraDialogTemplate)) return false;
    std::memcpy(&result->header, bytes, sizeof(result->header));
    const VestraDialogTemplate& header = result->header;
    if (header.magic != VESTRA_DIALOG_MAGIC || header.width <= 0 || header.height <= 0 ||
        header.controlCount > (size - sizeof(header)) / sizeof(VestraDialogControl)) {
        return false;
    }
    result->controls.resize(header.controlCount);
    std::memcpy(result->controls.data(), bytes + sizeof(header), header.controlCount * sizeof(VestraDialogControl));
    result->header.title[sizeof(header.title) - 1] = '\0';
    for (VestraDialogControl& control : result->controls) control.text[sizeof(control.text) - 1] = '\0';
    return true;
}

const char* ClassFor(DWORD kind) {
    switch (kind) {
        case VESTRA_CONTROL_COMBOBOX: return "COMBOBOX";
        case VESTRA_CONTROL_STATIC: return "STATIC";
        default: return "BUTTON";
    }
}

HWND CreateDialogWindow(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND parent, DLGPROC procedure) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, dialogTemplate.header.width, dialogTemplate.header.height};
    AdjustWindowRect(&frame, style, FALSE);
    // Centred over the owner, or over the screen without one.
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (parent != nullptr) GetWindowRect(parent, &area);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    const HWND dialog = CreateWindowExA(0, "#32770", dialogTemplate.header.title, style, x, y, width, height, parent,
                                        nullptr, instance, nullptr);
    if (dialog == nullptr) return nullptr;
    for (const VestraDialogControl& control : dialogTemplate.controls) {
        const HWND child = CreateWindowExA(
            0, ClassFor(control.kind), control.text, WS_CHILD | WS_VISIBLE | control.style, control.x, control.y,
            control.width, control.height, dialog,
            reinterpret_cast<HMENU>(static_cast<uintptr_t>(control.id)), instance, nullptr);
        if (Window* state = FindWindowState(child)) {
            state->controlKind = static_cast<int>(control.kind);
            state->group = control.group;
        }
    }
    FindWindowState(dialog)->dialogProcedure = procedure;
    return dialog;
}

bool TakesFocus(const Window& control) {
    return (control.style & (WS_DISABLED | WS_VISIBLE)) == WS_VISIBLE && control.controlKind != VESTRA_CONTROL_STATIC &&
           control.controlKind != VESTRA_CONTROL_GROUPBOX;
}

// The control that gets the focus first: the first one in template order that can take it.
HWND FirstControl(HWND dialog) {
    for (HWND handle : AllWindows()) {
        const Window* control = FindWindowState(handle);
        if (control->parent == dialog && TakesFocus(*control)) return handle;
    }
    return nullptr;
}

// Tab and Shift+Tab move the focus through the controls in template order.
void MoveFocus(HWND dialog, bool backwards) {
    std::vector<HWND> order;
    for (HWND handle : AllWindows()) {
        const Window* control = FindWindowState(handle);
        if (control->parent == dialog && TakesFocus(*control)) order.push_back(handle);
    }
    if (order.empty()) return;
    if (backwards) std::reverse(order.begin(), order.end());
    const auto current = std::find(order.begin(), order.end(), GetFocus());
    SetFocus(current == order.end() || current + 1 == order.end() ? order.front() : *(current + 1));
}

// Enter and Esc press OK and Cancel and Tab moves the focus, as the dialog manager does.
bool HandleDialogKey(HWND dialog, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != dialog && GetParent(message.hwnd) != dialog) return false;
    if (message.wParam == VK_TAB) {
        MoveFocus(dialog, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
    const int id = message.wParam == VK_RETURN ? IDOK : IDCANCEL;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    return true;
}

INT_PTR RunModalLoop(HWND dialog) {
    for (;;) {
        const Window* state = FindWindowState(dialog);
        if (state == nullptr) return IDCANCEL;
        if (state->dialogEnded) return state->dialogResult;
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The quit request belongs to the application's own loop: leave it for that.
                PostQuitMessage(static_cast<int>(message.wParam));
                return IDCANCEL;
            }
            if (!HandleDialogKey(dialog, message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else if (HostHasDisplay()) {
            QueueWait(10);
        } else {
            // Nobody can answer a dialog without a display once the queue has run dry.
            return IDCANCEL;
        }
    }
}

}  // namespace

LRESULT CALLBACK vestra::win32::DialogWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* dialog = FindWindowState(handle);
    if (dialog != nullptr && dialog->dialogProcedure != nullptr) {
        const INT_PTR handled = dialog->dialogProcedure(handle, message, wParam, lParam);
        if (handled != FALSE) {
            dialog = FindWindowState(handle);
            return message == WM_INITDIALOG || dialog == nullptr ? handled : dialog->dialogMessageResult;
        }
    }
    if (message == WM_CLOSE) {
        // Closing a dialog is pressing Cancel.
        SendMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDCANCEL)));
        return 0;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

VestraDialogHook VestraSetDialogHook(VestraDialogHook hook, void* context, void** previousContext) {
    DialogHook previous = Hook();
    if (previousContext != nullptr) *previousContext = previous.context;
    Hook() = DialogHook{hook, context};
    return previous.hook;
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
    DialogTemplate dialogTemplate;
    if (lpDialogFunc == nullptr || !ReadTemplate(hInstance, lpTemplateName, &dialogTemplate)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    EnsureSystemClasses();
    const HWND dialog = CreateDialogWindow(hInstance, dialogTemplate, hWndParent, lpDialogFunc);
    if (dialog == nullptr) return -1;
    const bool ownerWasEnabled = hWndParent != nullptr && IsWindowEnabled(hWndParent);
    if (ownerWasEnabled) EnableWindow(hWndParent, FALSE);

    const HWND firstControl = FirstControl(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstControl), dwInitParam) != FALSE) {
        SetFocus(firstControl);
    }
    INT_PTR result = IDCANCEL;
    if (IsWindow(dialog)) {
        const Window* state = FindWindowState(dialog);
        if (!state->dialogEnded) ShowWindow(dialog, SW_SHOW);
        if (Hook().hook != nullptr) Hook().hook(dialog, Hook().context);
        result = RunModalLoop(dialog);
    }
    if (ownerWasEnabled) EnableWindow(hWndParent, TRUE);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    if (hWndParent != nullptr && IsWindow(hWndParent)) SetForegroundWindow(hWndParent);
    return result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    Window* dialog = FindWindowState(hDlg);
    if (dialog == nullptr || dialog->dialogProcedure == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    dialog->dialogEnded = true;
    dialog->dialogResult = nResult;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (HWND handle : AllWindows()) {
        const Window* window = FindWindowState(handle);
        if (window->parent == hDlg && (window->style & WS_CHILD) != 0 && window->id == nIDDlgItem) return handle;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window == nullptr || (window->style & WS_CHILD) == 0 ? 0 : window->id;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item == nullptr ? 0 : SendMessageA(item, Msg, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item == nullptr ? FALSE : SetWindowTextA(item, lpString);
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (item == nullptr) {
        if (lpString != nullptr && cchMax > 0) lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, lpString, cchMax));
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    if (!IsWindow(hDlg)) return FALSE;
    for (HWND handle : AllWindows()) {
        const Window* window = FindWindowState(handle);
        if (window->parent == hDlg && window->id >= nIDFirstButton && window->id <= nIDLastButton) {
            SendMessageA(handle, BM_SETCHECK, window->id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return static_cast<UINT>(SendDlgItemMessageA(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    const HWND item = GetDlgItem(hDlg, nIDButton);
    if (item == nullptr) return FALSE;
    SendMessageA(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}
