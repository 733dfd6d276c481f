// Linux-only companions of the window subset: the formats hosts use to register dialog,
// menu, icon and cursor resources, the handlers that replace message boxes and drive
// dialogs without a user, the presenter and the display-mode list.
#pragma once

#include "windef.h"

// --- Display -----------------------------------------------------------------------------

// TRUE when windows are real (SDL2) windows: DISPLAY or WAYLAND_DISPLAY is set,
// SDL_VIDEODRIVER is neither "dummy" nor "offscreen", and SDL's video starts. Decided once.
WINPLATFORMAPI BOOL VestraHasDisplay(void);

typedef struct VestraDisplayMode {
    UINT Width;
    UINT Height;
    UINT RefreshRate;  // Hz; 0 when the display does not say
    DWORD Format;      // a D3DFORMAT value: 22 (X8R8G8B8) or 23 (R5G6B5)
} VestraDisplayMode;

// Copies up to `capacity` modes of the primary display (no duplicates, ordered by width,
// height, then rate) and returns how many there are. Without a display the list is fixed:
// 640x480, 800x600 and 1024x768, X8R8G8B8 at 60 Hz. `modes` may be NULL to count.
WINPLATFORMAPI UINT VestraGetDisplayModes(VestraDisplayMode* modes, UINT capacity);
// The desktop's current mode (1024x768 X8R8G8B8 60 Hz without a display). FALSE for NULL.
WINPLATFORMAPI BOOL VestraGetDesktopMode(VestraDisplayMode* mode);

// Shows a frame of A8R8G8B8/X8R8G8B8 rows (alpha ignored) in the window's client area,
// scaled to it. Without a display the frame is accepted and dropped. FALSE for a window
// that does not exist, NULL pixels, a zero size or |pitch| < width * 4.
WINPLATFORMAPI BOOL VestraPresentToWindow(HWND window, const void* pixels, UINT width, UINT height, INT pitch);
// The same, scaled into `destination` (client coordinates; NULL for the whole client area).
// FALSE also for an empty destination.
WINPLATFORMAPI BOOL VestraPresentRectToWindow(HWND window, const void* pixels, UINT width, UINT height, INT pitch,
                                              const RECT* destination);

// --- Message boxes -----------------------------------------------------------------------

// Receives every MessageBoxA call (caption already defaulted to "Error") and returns the
// button id MessageBoxA returns.
typedef int (*VestraMessageBoxHandler)(HWND owner, const char* text, const char* caption, UINT type, void* context);

// Installs `handler` (NULL restores the default: an SDL message box with a display,
// otherwise "caption: text" on stderr and IDOK) and returns the previous one (NULL for the
// default); its context goes to *previousContext when that is not NULL.
WINPLATFORMAPI VestraMessageBoxHandler VestraSetMessageBoxHandler(VestraMessageBoxHandler handler, void* context,
                                                                  void** previousContext);

// --- Dialog templates (RT_DIALOG resources) ----------------------------------------------
//
// A dialog resource is a VestraDialogTemplate immediately followed by `controlCount`
// VestraDialogControl records, registered with VestraRegisterResource(module, RT_DIALOG,
// MAKEINTRESOURCE(id), bytes, size). Coordinates are client pixels of the dialog.

#define VESTRA_DIALOG_MAGIC 0x474C4456u  // "VDLG"

typedef enum VestraControlKind {
    VESTRA_CONTROL_STATIC = 0,       // text label
    VESTRA_CONTROL_PUSHBUTTON = 1,   // BN_CLICKED when pressed; Enter presses IDOK, Esc IDCANCEL
    VESTRA_CONTROL_CHECKBOX = 2,     // toggles itself when clicked
    VESTRA_CONTROL_RADIOBUTTON = 3,  // checks itself and clears the radios of its group when clicked
    VESTRA_CONTROL_COMBOBOX = 4,     // drop-down list with item data
    VESTRA_CONTROL_GROUPBOX = 5      // frame with a caption
} VestraControlKind;

typedef struct VestraDialogTemplate {
    DWORD magic;  // VESTRA_DIALOG_MAGIC
    DWORD controlCount;
    LONG width;
    LONG height;
    char title[64];
} VestraDialogTemplate;

typedef struct VestraDialogControl {
    DWORD kind;   // VestraControlKind
    WORD id;
    WORD group;   // radio buttons with the same nonzero group exclude each other
    LONG x;
    LONG y;
    LONG width;
    LONG height;
    DWORD style;  // extra WS_/CBS_ bits (WS_DISABLED, CBS_SORT)
    char text[64];
} VestraDialogControl;

// Called by DialogBoxParamA after WM_INITDIALOG, before the modal loop starts: the place
// where a test or unattended host acts as the user (VestraUserSelectComboItem, BM_CLICK,
// PostMessageA to the dialog). Without a display, a dialog whose queue runs dry ends with
// IDCANCEL instead of waiting for input that cannot come. NULL removes the hook; the
// previous hook is returned and its context goes to *previousContext when not NULL.
typedef void (*VestraDialogHook)(HWND dialog, void* context);
WINPLATFORMAPI VestraDialogHook VestraSetDialogHook(VestraDialogHook hook, void* context, void** previousContext);

// Selects item `index` of a combo box as a user would: unlike CB_SETCURSEL, the dialog
// receives WM_COMMAND with CBN_SELCHANGE when the selection changes. FALSE when `combo` is
// not a combo box or the index is out of range.
WINPLATFORMAPI BOOL VestraUserSelectComboItem(HWND combo, int index);

// --- Menus, icons and cursors ------------------------------------------------------------
//
// RT_MENU resource: an array of VestraMenuItem (no header; the size gives the count).
// RT_ACCELERATOR resource: the Win32 binary layout, 8-byte entries {WORD fVirt, key, cmd,
// pad}, the last entry's fVirt carrying 0x80.
// RT_ICON (LoadIconA) and RT_CURSOR (LoadCursorA) resources: a VestraIconImage followed by
// width * height 32-bit A8R8G8B8 pixels, top row first; alpha 0 marks transparent pixels.

typedef struct VestraMenuItem {
    WORD id;     // command id sent with WM_COMMAND
    WORD flags;  // MF_CHECKED / MF_GRAYED / MF_DISABLED initial state
    char text[60];
} VestraMenuItem;

typedef struct VestraIconImage {
    LONG width;
    LONG height;
    DWORD xHotspot;
    DWORD yHotspot;
} VestraIconImage;

// --- The ready default host resources ------------------------------------------------------
//
// A Windows program links its icon, menu, accelerator table and dialogs into its executable;
// on Linux a host registers them. This registers, for `module` (NULL: the executable), the
// set an application on the engine's framework expects, under the ids it looks up:
//   icon 101          a 32x32 application icon;
//   menu 141          "&Change device...\tF2" (40002), "Toggle &fullscreen\tAlt+Enter"
//                     (40003), "&Pause\tEnter" (40004), "Single &step\tSpace" (40005),
//                     "E&xit\tEsc" (40006);
//   accelerators 113  F2 -> 40002, Alt+Enter -> 40003, Enter -> 40004, Space -> 40005,
//                     Esc -> 40006;
//   dialog 144        "Direct3D Settings": the device-settings dialog with the combo boxes
//                     1000 (device), 1002 (adapter), 1003 (adapter format), 1004 (resolution),
//                     1005 (multisample type), 1006 (refresh rate), 1007 (back-buffer format),
//                     1008 (depth/stencil format), 1009 (vertex processing), 1010 (present
//                     interval), 1011 (multisample quality), the radio buttons 1016 (windowed)
//                     and 1018 (fullscreen), and OK / Cancel.
// A resource registered again replaces the earlier one, so a host may register the defaults
// and then its own versions of some. FALSE when any registration fails.
WINPLATFORMAPI BOOL VestraRegisterDefaultHostResources(HMODULE module);
