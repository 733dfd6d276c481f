#include "framework/SettingsDialog.h"

#include <cstdio>
#include <initializer_list>

#include "framework/D3DApplication.h"
#include "framework/FormatNames.h"

namespace {

// The dialog procedure has no other way to its object: dialog boxes run modally, one at a time.
CD3DSettingsDialog* activeDialog = nullptr;

template <typename T>
T* RecordAt(const CRecordList& list, UINT index) {
    return static_cast<T*>(list.GetPtr(index));
}

const void* AsData(UINT_PTR value) { return reinterpret_cast<const void*>(value); }
UINT_PTR FromData(const void* data) { return reinterpret_cast<UINT_PTR>(data); }

void RefreshRateText(char (&text)[32], UINT rate) {
    if (rate == 0)
        std::snprintf(text, sizeof text, "Default Rate");
    else
        std::snprintf(text, sizeof text, "%u Hz", rate);
}

}  // namespace

const char* DeviceTypeName(D3DDEVTYPE type) {
    switch (type) {
        case D3DDEVTYPE_HAL: return "D3DDEVTYPE_HAL";
        case D3DDEVTYPE_REF: return "D3DDEVTYPE_REF";
        case D3DDEVTYPE_SW: return "D3DDEVTYPE_SW";
        default: return "Unknown devType";
    }
}

const char* MultisampleTypeName(D3DMULTISAMPLE_TYPE type) {
    static const char* const kNames[] = {
        "D3DMULTISAMPLE_NONE",        "D3DMULTISAMPLE_NONMASKABLE", "D3DMULTISAMPLE_2_SAMPLES",
        "D3DMULTISAMPLE_3_SAMPLES",   "D3DMULTISAMPLE_4_SAMPLES",   "D3DMULTISAMPLE_5_SAMPLES",
        "D3DMULTISAMPLE_6_SAMPLES",   "D3DMULTISAMPLE_7_SAMPLES",   "D3DMULTISAMPLE_8_SAMPLES",
        "D3DMULTISAMPLE_9_SAMPLES",   "D3DMULTISAMPLE_10_SAMPLES",  "D3DMULTISAMPLE_11_SAMPLES",
        "D3DMULTISAMPLE_12_SAMPLES",  "D3DMULTISAMPLE_13_SAMPLES",  "D3DMULTISAMPLE_14_SAMPLES",
        "D3DMULTISAMPLE_15_SAMPLES",  "D3DMULTISAMPLE_16_SAMPLES"};
    if (type >= D3DMULTISAMPLE_NONE && type <= D3DMULTISAMPLE_16_SAMPLES) return kNames[type];
    return "Unknown Multisample Type";
}

const char* VertexProcessingTypeName(VertexProcessingType type) {
    switch (type) {
        case SOFTWARE_VP: return "SOFTWARE_VP";
        case MIXED_VP: return "MIXED_VP";
        case HARDWARE_VP: return "HARDWARE_VP";
        case PURE_HARDWARE_VP: return "PURE_HARDWARE_VP";
    }
    return "Unknown VertexProcessingType";
}

const char* PresentIntervalName(UINT interval) {
    switch (interval) {
        case D3DPRESENT_INTERVAL_IMMEDIATE: return "D3DPRESENT_INTERVAL_IMMEDIATE";
        case D3DPRESENT_INTERVAL_DEFAULT: return "D3DPRESENT_INTERVAL_DEFAULT";
        case D3DPRESENT_INTERVAL_ONE: return "D3DPRESENT_INTERVAL_ONE";
        case D3DPRESENT_INTERVAL_TWO: return "D3DPRESENT_INTERVAL_TWO";
        case D3DPRESENT_INTERVAL_THREE: return "D3DPRESENT_INTERVAL_THREE";
        case D3DPRESENT_INTERVAL_FOUR: return "D3DPRESENT_INTERVAL_FOUR";
        default: return "Unknown PresentInterval";
    }
}

CD3DSettingsDialog::CD3DSettingsDialog(CD3DEnumeration* enumeration, const D3DDeviceSettings& settings)
    : enumeration(enumeration), settings(settings) {
    activeDialog = this;
}

CD3DSettingsDialog::~CD3DSettingsDialog() {
    if (activeDialog == this) activeDialog = nullptr;
}

INT_PTR CD3DSettingsDialog::ShowDialog(HWND parent) {
    const INT_PTR result =
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_SELECTDEVICE), parent, DialogProcedure, 0);
    return result == IDOK ? IDOK : IDCANCEL;
}

INT_PTR CALLBACK CD3DSettingsDialog::DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return activeDialog ? activeDialog->HandleDialogMessage(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR CD3DSettingsDialog::HandleDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        dialog = window;
        for (UINT a = 0; a < enumeration->AdapterCount(); ++a) {
            D3DAdapterInfo* adapter = enumeration->Adapter(a);
            if (!ComboBoxContainsText(IDC_ADAPTER_COMBO, adapter->identifier.Description))
                ComboBoxAdd(IDC_ADAPTER_COMBO, adapter, adapter->identifier.Description);
        }
        ComboBoxSelect(IDC_ADAPTER_COMBO, settings.Current().adapter);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;

    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(window, id);
        return TRUE;
    }
    if ((id == IDC_WINDOW || id == IDC_FULLSCREEN) && notification == BN_CLICKED) {
        WindowedFullscreenChanged();
        return TRUE;
    }
    if (notification != CBN_SELCHANGE) return FALSE;
    switch (id) {
        case IDC_ADAPTER_COMBO: AdapterChanged(); break;
        case IDC_DEVICE_COMBO: DeviceChanged(); break;
        case IDC_ADAPTERFORMAT_COMBO: AdapterFormatChanged(); break;
        case IDC_RESOLUTION_COMBO: ResolutionChanged(); break;
        case IDC_REFRESHRATE_COMBO: RefreshRateChanged(); break;
        case IDC_BACKBUFFERFORMAT_COMBO: BackBufferFormatChanged(); break;
        case IDC_DEPTHSTENCILBUFFERFORMAT_COMBO: DepthStencilBufferChanged(); break;
        case IDC_MULTISAMPLE_COMBO: MultisampleTypeChanged(); break;
        case IDC_MULTISAMPLE_QUALITY_COMBO: MultisampleQualityChanged(); break;
        case IDC_VERTEXPROCESSING_COMBO: VertexProcessingChanged(); break;
        case IDC_PRESENTINTERVAL_COMBO: PresentIntervalChanged(); break;
        default: return FALSE;
    }
    return TRUE;
}

void CD3DSettingsDialog::ComboBoxAdd(int id, const void* data, const char* text) {
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data));
}

void CD3DSettingsDialog::ComboBoxSelectIndex(int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void CD3DSettingsDialog::ComboBoxSelect(int id, const void* data) {
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    if (count <= 0) return;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT itemData = SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        if (reinterpret_cast<const void*>(itemData) == data) {
            ComboBoxSelectIndex(id, static_cast<int>(i));
            return;
        }
    }
    ComboBoxSelectIndex(id, 0);
}

void* CD3DSettingsDialog::ComboBoxSelected(int id) const {
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (index < 0) return nullptr;
    return reinterpret_cast<void*>(SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

bool CD3DSettingsDialog::ComboBoxContainsText(int id, const char* text) const {
    return SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text)) >= 0;
}

void CD3DSettingsDialog::ComboBoxClear(int id) { SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0); }

void CD3DSettingsDialog::AdapterChanged() {
    auto* adapter = static_cast<D3DAdapterInfo*>(ComboBoxSelected(IDC_ADAPTER_COMBO));
    if (!adapter) return;
    settings.Current().adapter = adapter;

    const D3DDeviceInfo* current = settings.Current().device;
    const void* match = nullptr;
    ComboBoxClear(IDC_DEVICE_COMBO);
    for (UINT d = 0; d < adapter->devices.Count(); ++d) {
        D3DDeviceInfo* device = RecordAt<D3DDeviceInfo>(adapter->devices, d);
        if (ComboBoxContainsText(IDC_DEVICE_COMBO, DeviceTypeName(device->deviceType))) continue;
        ComboBoxAdd(IDC_DEVICE_COMBO, device, DeviceTypeName(device->deviceType));
        if (current && device->deviceType == current->deviceType) match = device;
    }
    ComboBoxSelect(IDC_DEVICE_COMBO, match);
}

void CD3DSettingsDialog::DeviceChanged() {
    auto* adapter = static_cast<D3DAdapterInfo*>(ComboBoxSelected(IDC_ADAPTER_COMBO));
    auto* device = static_cast<D3DDeviceInfo*>(ComboBoxSelected(IDC_DEVICE_COMBO));
    if (!adapter || !device) return;
    settings.Current().adapter = adapter;
    settings.Current().device = device;

    bool hasWindowed = false, hasFullscreen = false;
    for (UINT c = 0; c < device->combos.Count(); ++c) {
        if (RecordAt<D3DDeviceCombo>(device->combos, c)->isWindowed)
            hasWindowed = true;
        else
            hasFullscreen = true;
    }
    EnableWindow(GetDlgItem(dialog, IDC_WINDOW), hasWindowed);
    EnableWindow(GetDlgItem(dialog, IDC_FULLSCREEN), hasFullscreen);
    CheckRadioButton(dialog, IDC_WINDOW, IDC_FULLSCREEN,
                     settings.isWindowed && hasWindowed ? IDC_WINDOW : IDC_FULLSCREEN);
    WindowedFullscreenChanged();
}

void CD3DSettingsDialog::WindowedFullscreenChanged() {
    auto* adapter = static_cast<D3DAdapterInfo*>(ComboBoxSelected(IDC_ADAPTER_COMBO));
    auto* device = static_cast<D3DDeviceInfo*>(ComboBoxSelected(IDC_DEVICE_COMBO));
    if (!adapter || !device) return;

    settings.isWindowed = IsDlgButtonChecked(dialog, IDC_WINDOW) == BST_CHECKED;
    D3DDeviceChoice& choice = settings.Current();
    choice.adapter = adapter;
    choice.device = device;
    char text[32];

    ComboBoxClear(IDC_ADAPTERFORMAT_COMBO);
    ComboBoxClear(IDC_RESOLUTION_COMBO);
    ComboBoxClear(IDC_REFRESHRATE_COMBO);
    if (settings.isWindowed) {
        // A window lives on the desktop as it is: its mode is shown, not chosen.
        const D3DDISPLAYMODE& mode = choice.displayMode;
        ComboBoxAdd(IDC_ADAPTERFORMAT_COMBO, AsData(mode.Format), FormatName(mode.Format, true));
        std::snprintf(text, sizeof text, "%u by %u", mode.Width, mode.Height);
        ComboBoxAdd(IDC_RESOLUTION_COMBO, AsData(MAKELONG(mode.Width, mode.Height)), text);
        RefreshRateText(text, mode.RefreshRate);
        ComboBoxAdd(IDC_REFRESHRATE_COMBO, AsData(mode.RefreshRate), text);
        for (int id : {IDC_ADAPTERFORMAT_COMBO, IDC_RESOLUTION_COMBO, IDC_REFRESHRATE_COMBO}) {
            ComboBoxSelectIndex(id, 0);
            EnableWindow(GetDlgItem(dialog, id), FALSE);
        }
        return;
    }

    const void* match = nullptr;
    for (UINT c = 0; c < device->combos.Count(); ++c) {
        const D3DDeviceCombo* combo = RecordAt<D3DDeviceCombo>(device->combos, c);
        if (combo->isWindowed) continue;
        const char* name = FormatName(combo->adapterFormat, true);
        if (ComboBoxContainsText(IDC_ADAPTERFORMAT_COMBO, name)) continue;
        ComboBoxAdd(IDC_ADAPTERFORMAT_COMBO, AsData(combo->adapterFormat), name);
        if (combo->adapterFormat == choice.displayMode.Format) match = AsData(combo->adapterFormat);
    }
    ComboBoxSelect(IDC_ADAPTERFORMAT_COMBO, match);
    for (int id : {IDC_ADAPTERFORMAT_COMBO, IDC_RESOLUTION_COMBO, IDC_REFRESHRATE_COMBO})
        EnableWindow(GetDlgItem(dialog, id), TRUE);
}

void CD3DSettingsDialog::AdapterFormatChanged() {
    D3DDeviceChoice& choice = settings.Current();
    if (!choice.adapter || !choice.device) return;
    if (SendDlgItemMessageA(dialog, IDC_ADAPTERFORMAT_COMBO, CB_GETCURSEL, 0, 0) < 0) return;

    if (!settings.isWindowed) {
        const auto format = static_cast<D3DFORMAT>(FromData(ComboBoxSelected(IDC_ADAPTERFORMAT_COMBO)));
        choice.displayMode.Format = format;
        const void* match = nullptr;
        char text[32];
        ComboBoxClear(IDC_RESOLUTION_COMBO);
        for (UINT m = 0; m < choice.adapter->displayModes.Count(); ++m) {
            const D3DDISPLAYMODE& mode = *RecordAt<D3DDISPLAYMODE>(choice.adapter->displayModes, m);
            if (mode.Format != format) continue;
            std::snprintf(text, sizeof text, "%u by %u", mode.Width, mode.Height);
            if (ComboBoxContainsText(IDC_RESOLUTION_COMBO, text)) continue;
            ComboBoxAdd(IDC_RESOLUTION_COMBO, AsData(MAKELONG(mode.Width, mode.Height)), text);
            if (mode.Width == choice.displayMode.Width && mode.Height == choice.displayMode.Height)
                match = AsData(MAKELONG(mode.Width, mode.Height));
        }
        ComboBoxSelect(IDC_RESOLUTION_COMBO, match);
    }

    const D3DFORMAT adapterFormat = choice.displayMode.Format;
    const void* match = nullptr;
    ComboBoxClear(IDC_BACKBUFFERFORMAT_COMBO);
    for (UINT c = 0; c < choice.device->combos.Count(); ++c) {
        const D3DDeviceCombo* combo = RecordAt<D3DDeviceCombo>(choice.device->combos, c);
        if (combo->isWindowed != settings.isWindowed || combo->adapterFormat != adapterFormat) continue;
        const char* name = FormatName(combo->backBufferFormat, true);
        if (ComboBoxContainsText(IDC_BACKBUFFERFORMAT_COMBO, name)) continue;
        ComboBoxAdd(IDC_BACKBUFFERFORMAT_COMBO, AsData(combo->backBufferFormat), name);
        if (choice.combo && combo->backBufferFormat == choice.combo->backBufferFormat)
            match = AsData(combo->backBufferFormat);
    }
    ComboBoxSelect(IDC_BACKBUFFERFORMAT_COMBO, match);
}

void CD3DSettingsDialog::ResolutionChanged() {
    if (settings.isWindowed) return;
    D3DDeviceChoice& choice = settings.Current();
    if (!choice.adapter || SendDlgItemMessageA(dialog, IDC_RESOLUTION_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    const auto size = static_cast<DWORD>(FromData(ComboBoxSelected(IDC_RESOLUTION_COMBO)));
    choice.displayMode.Width = LOWORD(size);
    choice.displayMode.Height = HIWORD(size);

    const void* match = nullptr;
    char text[32];
    ComboBoxClear(IDC_REFRESHRATE_COMBO);
    for (UINT m = 0; m < choice.adapter->displayModes.Count(); ++m) {
        const D3DDISPLAYMODE& mode = *RecordAt<D3DDISPLAYMODE>(choice.adapter->displayModes, m);
        if (mode.Format != choice.displayMode.Format || mode.Width != choice.displayMode.Width ||
            mode.Height != choice.displayMode.Height)
            continue;
        RefreshRateText(text, mode.RefreshRate);
        if (ComboBoxContainsText(IDC_REFRESHRATE_COMBO, text)) continue;
        ComboBoxAdd(IDC_REFRESHRATE_COMBO, AsData(mode.RefreshRate), text);
        if (mode.RefreshRate == choice.displayMode.RefreshRate) match = AsData(mode.RefreshRate);
    }
    ComboBoxSelect(IDC_REFRESHRATE_COMBO, match);
}

void CD3DSettingsDialog::RefreshRateChanged() {
    if (settings.isWindowed || SendDlgItemMessageA(dialog, IDC_REFRESHRATE_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    settings.fullscreen.displayMode.RefreshRate = static_cast<UINT>(FromData(ComboBoxSelected(IDC_REFRESHRATE_COMBO)));
}

void CD3DSettingsDialog::BackBufferFormatChanged() {
    D3DDeviceChoice& choice = settings.Current();
    if (!choice.device || SendDlgItemMessageA(dialog, IDC_BACKBUFFERFORMAT_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    const auto backBufferFormat = static_cast<D3DFORMAT>(FromData(ComboBoxSelected(IDC_BACKBUFFERFORMAT_COMBO)));

    D3DDeviceCombo* chosen = nullptr;
    for (UINT c = 0; c < choice.device->combos.Count() && !chosen; ++c) {
        D3DDeviceCombo* combo = RecordAt<D3DDeviceCombo>(choice.device->combos, c);
        if (combo->isWindowed == settings.isWindowed && combo->adapterFormat == choice.displayMode.Format &&
            combo->backBufferFormat == backBufferFormat)
            chosen = combo;
    }
    if (!chosen) return;
    choice.combo = chosen;

    ComboBoxClear(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO);
    if (enumeration->usesDepthBuffer) {
        const void* match = nullptr;
        for (UINT i = 0; i < chosen->depthStencilFormats.Count(); ++i) {
            const D3DFORMAT format = *RecordAt<D3DFORMAT>(chosen->depthStencilFormats, i);
            ComboBoxAdd(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, AsData(format), FormatName(format, true));
            if (format == choice.depthStencilFormat) match = AsData(format);
        }
        ComboBoxSelect(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, match);
        EnableWindow(GetDlgItem(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO), TRUE);
    } else {
        ComboBoxAdd(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, nullptr, "(not used)");
        ComboBoxSelectIndex(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, 0);
        EnableWindow(GetDlgItem(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO), FALSE);
    }

    const void* match = nullptr;
    ComboBoxClear(IDC_VERTEXPROCESSING_COMBO);
    for (UINT i = 0; i < chosen->vertexProcessingTypes.Count(); ++i) {
        const VertexProcessingType type = *RecordAt<VertexProcessingType>(chosen->vertexProcessingTypes, i);
        ComboBoxAdd(IDC_VERTEXPROCESSING_COMBO, AsData(type), VertexProcessingTypeName(type));
        if (type == choice.vertexProcessingType) match = AsData(type);
    }
    ComboBoxSelect(IDC_VERTEXPROCESSING_COMBO, match);

    match = nullptr;
    ComboBoxClear(IDC_PRESENTINTERVAL_COMBO);
    for (UINT i = 0; i < chosen->presentIntervals.Count(); ++i) {
        const UINT interval = *RecordAt<UINT>(chosen->presentIntervals, i);
        ComboBoxAdd(IDC_PRESENTINTERVAL_COMBO, AsData(interval), PresentIntervalName(interval));
        if (interval == choice.presentInterval) match = AsData(interval);
    }
    ComboBoxSelect(IDC_PRESENTINTERVAL_COMBO, match);
}

void CD3DSettingsDialog::DepthStencilBufferChanged() {
    D3DDeviceChoice& choice = settings.Current();
    if (!choice.combo) return;
    if (enumeration->usesDepthBuffer &&
        SendDlgItemMessageA(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, CB_GETCURSEL, 0, 0) >= 0)
        choice.depthStencilFormat =
            static_cast<D3DFORMAT>(FromData(ComboBoxSelected(IDC_DEPTHSTENCILBUFFERFORMAT_COMBO)));

    const void* match = nullptr;
    ComboBoxClear(IDC_MULTISAMPLE_COMBO);
    for (UINT i = 0; i < choice.combo->multisampleTypes.Count(); ++i) {
        const auto type = *RecordAt<D3DMULTISAMPLE_TYPE>(choice.combo->multisampleTypes, i);
        bool conflicts = false;
        for (UINT k = 0; k < choice.combo->conflicts.Count() && enumeration->usesDepthBuffer; ++k) {
            const D3DDSMSConflict& conflict = *RecordAt<D3DDSMSConflict>(choice.combo->conflicts, k);
            conflicts |= conflict.depthStencilFormat == choice.depthStencilFormat && conflict.multisampleType == type;
        }
        if (conflicts) continue;
        ComboBoxAdd(IDC_MULTISAMPLE_COMBO, AsData(static_cast<UINT_PTR>(type)), MultisampleTypeName(type));
        if (type == choice.multisampleType) match = AsData(static_cast<UINT_PTR>(type));
    }
    ComboBoxSelect(IDC_MULTISAMPLE_COMBO, match);
}

void CD3DSettingsDialog::MultisampleTypeChanged() {
    D3DDeviceChoice& choice = settings.Current();
    if (!choice.combo || SendDlgItemMessageA(dialog, IDC_MULTISAMPLE_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    choice.multisampleType = static_cast<D3DMULTISAMPLE_TYPE>(FromData(ComboBoxSelected(IDC_MULTISAMPLE_COMBO)));

    DWORD qualities = 0;
    for (UINT i = 0; i < choice.combo->multisampleTypes.Count(); ++i) {
        if (*RecordAt<D3DMULTISAMPLE_TYPE>(choice.combo->multisampleTypes, i) == choice.multisampleType)
            qualities = *RecordAt<DWORD>(choice.combo->multisampleQualities, i);
    }
    char text[32];
    ComboBoxClear(IDC_MULTISAMPLE_QUALITY_COMBO);
    for (DWORD quality = 0; quality < qualities; ++quality) {
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(quality));
        ComboBoxAdd(IDC_MULTISAMPLE_QUALITY_COMBO, AsData(quality), text);
    }
    ComboBoxSelect(IDC_MULTISAMPLE_QUALITY_COMBO, AsData(choice.multisampleQuality));
}

void CD3DSettingsDialog::MultisampleQualityChanged() {
    if (SendDlgItemMessageA(dialog, IDC_MULTISAMPLE_QUALITY_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    settings.Current().multisampleQuality = static_cast<DWORD>(FromData(ComboBoxSelected(IDC_MULTISAMPLE_QUALITY_COMBO)));
}

void CD3DSettingsDialog::VertexProcessingChanged() {
    if (SendDlgItemMessageA(dialog, IDC_VERTEXPROCESSING_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    settings.Current().vertexProcessingType =
        static_cast<VertexProcessingType>(FromData(ComboBoxSelected(IDC_VERTEXPROCESSING_COMBO)));
}

void CD3DSettingsDialog::PresentIntervalChanged() {
    if (SendDlgItemMessageA(dialog, IDC_PRESENTINTERVAL_COMBO, CB_GETCURSEL, 0, 0) < 0) return;
    settings.Current().presentInterval = static_cast<UINT>(FromData(ComboBoxSelected(IDC_PRESENTINTERVAL_COMBO)));
}
