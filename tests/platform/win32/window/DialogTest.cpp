#include "WindowTestSupport.h"

#include <cstring>

namespace vestra::test {
namespace {

using DialogTest = WindowTest;

constexpr int kAdapters = 1002;
constexpr int kDevices = 1000;
constexpr int kWindowed = 1016;
constexpr int kFullscreen = 1018;

// Registers the settings template under `id` for the executable.
void RegisterTemplate(int id) {
    const VestraDialogControl controls[] = {
        {VESTRA_CONTROL_COMBOBOX, kAdapters, 0, 10, 10, 200, 20, 0, "adapters"},
        {VESTRA_CONTROL_COMBOBOX, kDevices, 0, 10, 40, 200, 20, 0, "devices"},
        {VESTRA_CONTROL_RADIOBUTTON, kWindowed, 1, 10, 70, 100, 16, 0, "Windowed"},
        {VESTRA_CONTROL_RADIOBUTTON, kFullscreen, 1, 120, 70, 100, 16, 0, "Fullscreen"},
        {VESTRA_CONTROL_PUSHBUTTON, IDOK, 0, 10, 100, 60, 20, 0, "OK"},
        {VESTRA_CONTROL_PUSHBUTTON, IDCANCEL, 0, 80, 100, 60, 20, 0, "Cancel"},
    };
    VestraDialogTemplate header{VESTRA_DIALOG_MAGIC, 6, 240, 130, "Settings"};
    std::vector<BYTE> bytes(sizeof header + sizeof controls);
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, controls, sizeof controls);
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_DIALOG, MAKEINTRESOURCE(id), bytes.data(), static_cast<DWORD>(bytes.size())));
}

// What the dialog procedure saw; the test reads it after DialogBoxParamA returns.
struct DialogRecord {
    LPARAM initParam = 0;
    int adapterChanges = 0;
    LPARAM chosenAdapterData = 0;
    bool windowedAtOk = false;
};
DialogRecord g_record;

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            g_record.initParam = lParam;
            for (const char* name : {"First adapter", "Second adapter", "Third adapter"}) {
                const LRESULT index = SendDlgItemMessageA(dialog, kAdapters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
                SendDlgItemMessageA(dialog, kAdapters, CB_SETITEMDATA, static_cast<WPARAM>(index), 100 + index);
            }
            // Programmatic selection is not a user change: no CBN_SELCHANGE.
            SendDlgItemMessageA(dialog, kAdapters, CB_SETCURSEL, 0, 0);
            CheckRadioButton(dialog, kWindowed, kFullscreen, kFullscreen);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kAdapters && HIWORD(wParam) == CBN_SELCHANGE) {
                ++g_record.adapterChanges;
                const LRESULT selected = SendDlgItemMessageA(dialog, kAdapters, CB_GETCURSEL, 0, 0);
                g_record.chosenAdapterData = SendDlgItemMessageA(dialog, kAdapters, CB_GETITEMDATA, selected, 0);
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                g_record.windowedAtOk = IsDlgButtonChecked(dialog, kWindowed) == BST_CHECKED;
                EndDialog(dialog, LOWORD(wParam));
            }
            return TRUE;
        default: return FALSE;
    }
}

class ScopedHook {
public:
    explicit ScopedHook(VestraDialogHook hook) { VestraSetDialogHook(hook, nullptr, nullptr); }
    ~ScopedHook() { VestraSetDialogHook(nullptr, nullptr, nullptr); }
};

TEST_F(DialogTest, UserChoicesAreSeenAndOkReturnsIdOk) {
    RegisterTemplate(144);
    const HWND owner = CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    g_record = DialogRecord{};
    ScopedHook hook([](HWND dialog, void*) {
        const HWND adapters = GetDlgItem(dialog, kAdapters);
        EXPECT_EQ(SendMessageA(adapters, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(g_record.adapterChanges, 0);
        EXPECT_FALSE(IsWindowEnabled(GetParent(dialog)));  // modal: the owner is disabled
        EXPECT_TRUE(VestraUserSelectComboItem(adapters, 2));
        EXPECT_TRUE(VestraUserSelectComboItem(adapters, 2));  // same item: no change
        EXPECT_FALSE(VestraUserSelectComboItem(adapters, 3));
        // Selecting by text is programmatic too.
        EXPECT_EQ(SendMessageA(adapters, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("third")), 2);
        EXPECT_EQ(SendMessageA(adapters, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("SECOND ADAPTER")), 1);
        PostMessageA(GetDlgItem(dialog, kWindowed), BM_CLICK, 0, 0);
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(144), owner, SettingsProc, 0x5150), IDOK);
    EXPECT_EQ(g_record.initParam, 0x5150);
    EXPECT_EQ(g_record.adapterChanges, 1);
    EXPECT_EQ(g_record.chosenAdapterData, 102);
    EXPECT_TRUE(g_record.windowedAtOk);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, EscapeCancelsAndAnUnansweredDialogIsCancelled) {
    RegisterTemplate(145);
    {
        ScopedHook hook([](HWND dialog, void*) { PostMessageA(GetDlgItem(dialog, kAdapters), WM_KEYDOWN, VK_ESCAPE, 1); });
        g_record = DialogRecord{};
        EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(145), nullptr, SettingsProc, 0), IDCANCEL);
        EXPECT_FALSE(g_record.windowedAtOk);  // the procedure saw IDCANCEL
    }
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(145), nullptr, SettingsProc, 0), IDCANCEL);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(146), nullptr, SettingsProc, 0), -1);
    const BYTE garbage[8] = {1, 2, 3};
    VestraRegisterResource(nullptr, RT_DIALOG, MAKEINTRESOURCE(147), garbage, sizeof garbage);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(147), nullptr, SettingsProc, 0), -1);
}

TEST_F(DialogTest, KeyboardMovesFocusStepsCombosAndPressesButtons) {
    RegisterTemplate(148);
    g_record = DialogRecord{};
    ScopedHook hook([](HWND dialog, void*) {
        // WM_INITDIALOG returned TRUE: the first control has the focus.
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kAdapters));
        EnableWindow(GetDlgItem(dialog, kDevices), FALSE);
        const HWND adapters = GetDlgItem(dialog, kAdapters);
        PostMessageA(adapters, WM_KEYDOWN, VK_DOWN, 1);  // a user change: notifies
        PostMessageA(adapters, WM_KEYDOWN, VK_TAB, 1);   // skips the disabled combo
        PostMessageA(GetDlgItem(dialog, kWindowed), WM_KEYDOWN, VK_SPACE, 1);
        PostMessageA(adapters, WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCE(148), nullptr, SettingsProc, 0), IDOK);
    EXPECT_EQ(g_record.adapterChanges, 1);
    EXPECT_EQ(g_record.chosenAdapterData, 101);
    EXPECT_TRUE(g_record.windowedAtOk);
}

TEST_F(DialogTest, ComboBoxKeepsItemDataThroughInsertionsAndDeletions) {
    const HWND parent = CreateRecordingWindow();
    const HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 100, 20, parent,
                                       reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    const auto add = [&](const char* text) { return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); };
    EXPECT_EQ(add("beta"), 0);
    EXPECT_EQ(add("Alpha"), 0);  // sorted without regard to case
    EXPECT_EQ(add("gamma"), 2);
    SendMessageA(combo, CB_SETITEMDATA, 1, 0xBE7A);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);  // the selection follows its item
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 0xBE7A);
    char text[16];
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "beta");
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 2, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 3, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    for (const Received& r : ReceivedMessages()) EXPECT_NE(r.message, static_cast<UINT>(WM_COMMAND));
}

}  // namespace
}  // namespace vestra::test
