// CD3DSettingsDialog: the device-settings dialog (host dialog resource 144). It edits its
// own copy of the settings; every choice refills the controls that depend on it, so the
// adapter, device, windowed/fullscreen, format and mode controls always offer only what the
// enumeration found for the choices above them.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "framework/D3DEnumeration.h"
#include "framework/D3DSettings.h"

// Control ids of the dialog template.
enum SettingsDialogControl {
    IDC_DEVICE_COMBO = 1000,
    IDC_ADAPTER_COMBO = 1002,
    IDC_ADAPTERFORMAT_COMBO = 1003,
    IDC_RESOLUTION_COMBO = 1004,
    IDC_MULTISAMPLE_COMBO = 1005,
    IDC_REFRESHRATE_COMBO = 1006,
    IDC_BACKBUFFERFORMAT_COMBO = 1007,
    IDC_DEPTHSTENCILBUFFERFORMAT_COMBO = 1008,
    IDC_VERTEXPROCESSING_COMBO = 1009,
    IDC_PRESENTINTERVAL_COMBO = 1010,
    IDC_MULTISAMPLE_QUALITY_COMBO = 1011,
    IDC_WINDOW = 1016,
    IDC_FULLSCREEN = 1018,
};

const char* DeviceTypeName(D3DDEVTYPE type);
const char* MultisampleTypeName(D3DMULTISAMPLE_TYPE type);
const char* VertexProcessingTypeName(VertexProcessingType type);
const char* PresentIntervalName(UINT interval);

class CD3DSettingsDialog {
public:
    CD3DSettingsDialog(CD3DEnumeration* enumeration, const D3DDeviceSettings& settings);
    ~CD3DSettingsDialog();
    CD3DSettingsDialog(const CD3DSettingsDialog&) = delete;
    CD3DSettingsDialog& operator=(const CD3DSettingsDialog&) = delete;

    // IDOK or IDCANCEL (also when the dialog could not be shown).
    INT_PTR ShowDialog(HWND parent);
    void GetFinalSettings(D3DDeviceSettings& out) const { out = settings; }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void ComboBoxAdd(int id, const void* data, const char* text);
    // Selects the entry carrying `data`, or else the first one, and posts the selection
    // change so the controls below are refilled in turn.
    void ComboBoxSelect(int id, const void* data);
    void* ComboBoxSelected(int id) const;
    bool ComboBoxContainsText(int id, const char* text) const;
    void ComboBoxClear(int id);
    void ComboBoxSelectIndex(int id, int index);

    void AdapterChanged();
    void DeviceChanged();
    void WindowedFullscreenChanged();
    void AdapterFormatChanged();
    void ResolutionChanged();
    void RefreshRateChanged();
    void BackBufferFormatChanged();
    void DepthStencilBufferChanged();
    void MultisampleTypeChanged();
    void MultisampleQualityChanged();
    void VertexProcessingChanged();
    void PresentIntervalChanged();

    CD3DEnumeration* enumeration;
    D3DDeviceSettings settings;
    HWND dialog = nullptr;
};
