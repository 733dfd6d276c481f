#include "win32/window/Controls.h"

#include <algorithm>
#include <cstring>

#include "PlatformWindowing.h"
#include "win32/CaseInsensitive.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace {

bool EqualNoCase(const std::string& a, const char* b) {
    return std::strlen(b) == a.size() && std::equal(a.begin(), a.end(), b, [](char x, char y) {
               return ToUpperAscii(x) == ToUpperAscii(y);
           });
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    const size_t length = std::strlen(prefix);
    return length <= text.size() && EqualNoCase(text.substr(0, length), prefix);
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return ToUpperAscii(x) < ToUpperAscii(y); });
}

// CB_FINDSTRING and CB_FINDSTRINGEXACT search from the item after `start` and wrap around.
LRESULT Find(const Window& combo, WPARAM start, const char* text, bool exact) {
    if (text == nullptr) return CB_ERR;
    const size_t count = combo.comboItems.size();
    const size_t first = static_cast<INT_PTR>(start) < 0 || start >= count ? 0 : start + 1;
    for (size_t step = 0; step < count; ++step) {
        const size_t index = (first + step) % count;
        const std::string& item = combo.comboItems[index].text;
        if (exact ? EqualNoCase(item, text) : StartsWithNoCase(item, text)) return static_cast<LRESULT>(index);
    }
    return CB_ERR;
}

LRESULT Insert(Window& combo, size_t index, const char* text) {
    if (text == nullptr) return CB_ERR;
    index = std::min(index, combo.comboItems.size());
    combo.comboItems.insert(combo.comboItems.begin() + static_cast<ptrdiff_t>(index), ComboItem{text, 0});
    if (combo.comboSelection != CB_ERR && static_cast<size_t>(combo.comboSelection) >= index) ++combo.comboSelection;
    return static_cast<LRESULT>(index);
}

LRESULT ComboMessage(Window& combo, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    *handled = true;
    auto& items = combo.comboItems;
    const auto* text = reinterpret_cast<const char*>(lParam);
    const bool validIndex = wParam < items.size();
    switch (message) {
        case CB_ADDSTRING: {
            size_t index = items.size();
            if ((combo.style & CBS_SORT) != 0 && text != nullptr) {
                index = static_cast<size_t>(std::upper_bound(items.begin(), items.end(), std::string(text),
                                                             [](const std::string& value, const ComboItem& item) {
                                                                 return LessNoCase(value, item.text);
                                                             }) -
                                            items.begin());
            }
            return Insert(combo, index, text);
        }
        case CB_INSERTSTRING:
            if (static_cast<INT_PTR>(wParam) != -1 && wParam > items.size()) return CB_ERR;
            return Insert(combo, static_cast<INT_PTR>(wParam) == -1 ? items.size() : wParam, text);
        case CB_DELETESTRING:
            if (!validIndex) return CB_ERR;
            items.erase(items.begin() + static_cast<ptrdiff_t>(wParam));
            if (combo.comboSelection == static_cast<int>(wParam)) {
                combo.comboSelection = CB_ERR;
            } else if (combo.comboSelection > static_cast<int>(wParam)) {
                --combo.comboSelection;
            }
            return static_cast<LRESULT>(items.size());
        case CB_GETCOUNT: return static_cast<LRESULT>(items.size());
        case CB_GETCURSEL: return combo.comboSelection;
        case CB_SETCURSEL:
            if (!validIndex) {
                combo.comboSelection = CB_ERR;
                return CB_ERR;
            }
            combo.comboSelection = static_cast<int>(wParam);
            return static_cast<LRESULT>(wParam);
        case CB_GETLBTEXT:
            if (!validIndex || lParam == 0) return CB_ERR;
            std::memcpy(reinterpret_cast<char*>(lParam), items[wParam].text.c_str(), items[wParam].text.size() + 1);
            return static_cast<LRESULT>(items[wParam].text.size());
        case CB_GETLBTEXTLEN: return validIndex ? static_cast<LRESULT>(items[wParam].text.size()) : CB_ERR;
        case CB_RESETCONTENT:
            items.clear();
            combo.comboSelection = CB_ERR;
            return CB_OKAY;
        case CB_FINDSTRING: return Find(combo, wParam, text, false);
        case CB_FINDSTRINGEXACT: return Find(combo, wParam, text, true);
        case CB_SELECTSTRING: {
            const LRESULT index = Find(combo, wParam, text, false);
            if (index != CB_ERR) combo.comboSelection = static_cast<int>(index);
            return index;
        }
        case CB_GETITEMDATA: return validIndex ? items[wParam].data : CB_ERR;
        case CB_SETITEMDATA:
            if (!validIndex) return CB_ERR;
            items[wParam].data = lParam;
            return CB_OKAY;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN: {
            // Without a drop-down list the user steps through the entries: click or wheel
            // down or arrow down/right for the next one, right click, wheel up or arrow
            // up/left for the previous one.
            int step = 0;
            if (message == WM_LBUTTONUP) step = 1;
            if (message == WM_RBUTTONUP) step = -1;
            if (message == WM_MOUSEWHEEL) step = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : -1;
            if (message == WM_KEYDOWN && (wParam == VK_DOWN || wParam == VK_RIGHT)) step = 1;
            if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_LEFT)) step = -1;
            if (step == 0 || items.empty() || (combo.style & WS_DISABLED) != 0) {
                *handled = false;
                return 0;
            }
            const int count = static_cast<int>(items.size());
            const int current = combo.comboSelection < 0 ? (step > 0 ? -1 : count) : combo.comboSelection;
            VestraUserSelectComboItem(combo.handle, ((current + step) % count + count) % count);
            return 0;
        }
        case CB_SHOWDROPDOWN: return TRUE;
        case CB_GETDROPPEDSTATE: return FALSE;
        default: *handled = false; return 0;
    }
}

LRESULT ButtonMessage(Window& button, UINT message, WPARAM wParam, bool* handled) {
    *handled = true;
    switch (message) {
        case BM_GETCHECK: return button.checkState;
        case BM_SETCHECK:
            button.checkState = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
            return 0;
        case BM_GETSTATE: return button.checkState;
        case WM_KEYDOWN:
            if (wParam != VK_SPACE) {
                *handled = false;
                return 0;
            }
            ClickButton(button.handle);
            return 0;
        case BM_CLICK:
        case WM_LBUTTONUP:
            ClickButton(button.handle);
            return 0;
        default: *handled = false; return 0;
    }
}

}  // namespace

namespace vestra::win32 {

void ClickButton(HWND handle) {
    Window* button = FindWindowState(handle);
    if (button == nullptr || (button->style & WS_DISABLED) != 0) return;
    if (button->controlKind == VESTRA_CONTROL_CHECKBOX) {
        button->checkState = button->checkState == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (button->controlKind == VESTRA_CONTROL_RADIOBUTTON) {
        for (HWND other : AllWindows()) {
            Window* sibling = FindWindowState(other);
            if (sibling->parent == button->parent && sibling->controlKind == VESTRA_CONTROL_RADIOBUTTON &&
                sibling->group == button->group && button->group != 0) {
                sibling->checkState = BST_UNCHECKED;
            }
        }
        button->checkState = BST_CHECKED;
    }
    SendMessageA(button->parent, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED), reinterpret_cast<LPARAM>(handle));
}

LRESULT CALLBACK ControlWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* control = FindWindowState(handle);
    if (control != nullptr) {
        if (control->controlKind < 0 && message == WM_NCCREATE) {
            // Created through CreateWindowExA rather than a template: the class and the
            // button style say what it is.
            const std::string& name = control->windowClass->name;
            const DWORD buttonStyle = control->style & 0xF;
            if (name == "COMBOBOX") {
                control->controlKind = VESTRA_CONTROL_COMBOBOX;
            } else if (name == "STATIC") {
                control->controlKind = VESTRA_CONTROL_STATIC;
            } else if (buttonStyle == BS_CHECKBOX || buttonStyle == BS_AUTOCHECKBOX) {
                control->controlKind = VESTRA_CONTROL_CHECKBOX;
            } else if (buttonStyle == BS_RADIOBUTTON || buttonStyle == BS_AUTORADIOBUTTON) {
                control->controlKind = VESTRA_CONTROL_RADIOBUTTON;
            } else if (buttonStyle == BS_GROUPBOX) {
                control->controlKind = VESTRA_CONTROL_GROUPBOX;
            } else {
                control->controlKind = VESTRA_CONTROL_PUSHBUTTON;
            }
        }
        bool handled = false;
        LRESULT result = 0;
        if (control->controlKind == VESTRA_CONTROL_COMBOBOX) {
            result = ComboMessage(*control, message, wParam, lParam, &handled);
        } else if (control->controlKind != VESTRA_CONTROL_STATIC && control->controlKind != VESTRA_CONTROL_GROUPBOX) {
            result = ButtonMessage(*control, message, wParam, &handled);
        }
        if (handled) return result;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

void EnsureSystemClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    for (const char* name : {"BUTTON", "COMBOBOX", "STATIC"}) {
        WNDCLASSA control{0, ControlWindowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, name};
        RegisterClassA(&control);
    }
    WNDCLASSA dialog{0, DialogWindowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "#32770"};
    RegisterClassA(&dialog);
}

}  // namespace vestra::win32

BOOL VestraUserSelectComboItem(HWND combo, int index) {
    Window* window = FindWindowState(combo);
    if (window == nullptr || window->controlKind != VESTRA_CONTROL_COMBOBOX || index < 0 ||
        static_cast<size_t>(index) >= window->comboItems.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (window->comboSelection == index) return TRUE;
    window->comboSelection = index;
    SendMessageA(window->parent, WM_COMMAND, MAKEWPARAM(window->id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return TRUE;
}
