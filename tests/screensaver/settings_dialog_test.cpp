// The settings dialog against Wine's real registry: what it shows for the values stored (bad
// ones included), what OK stores and Cancel does not, and its owner.
#include "plain_window.h"
#include "saver_process.h"
#include "saver_resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char DialogCaption[] = "Flarvex clock settings";
constexpr char SettingsKey[] = "Software\\Flarvex\\Clock";
constexpr DWORD DialogLimit = 15000;
constexpr DWORD EndLimit = 5000;

void ClearSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
}

void StoreValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// A stored value as "type:number", for comparing in one expectation.
std::string StoredText(const char* name) {
    DWORD type = 0, data = 0, size = sizeof data;
    LONG result =
        RegGetValueA(HKEY_CURRENT_USER, SettingsKey, name, RRF_RT_ANY, &type, &data, &size);
    if (result != ERROR_SUCCESS)
        return "missing";
    return std::to_string(type) + ":" + std::to_string(data);
}

// What the dialog shows: a letter a control, upper case when checked, '-' when disabled.
std::string Shown(HWND dialog) {
    const std::pair<int, char> controls[] = {{STYLE_CLOCKWORK_ID, 'c'},
                                             {STYLE_DIGITAL_ID, 'd'},
                                             {SECOND_HAND_ID, 's'},
                                             {HOURS_24_ID, 'h'}};
    std::string text;
    for (auto [id, letter] : controls) {
        HWND control = GetDlgItem(dialog, id);
        if (control == nullptr)
            return "no control " + std::to_string(id);
        bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        text += IsWindowEnabled(control) ? (checked ? letter - 'a' + 'A' : letter) : '-';
    }
    return text;
}

void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

HWND WaitForDialog(const SaverProcess& saver) {
    HWND dialog = nullptr;
    PumpUntil(DialogLimit, [&] {
        dialog = saver.FindWindowNamed(DialogCaption);
        return dialog != nullptr;
    });
    return dialog;
}

void ExpectEndsWithZero(SaverProcess& saver) {
    DWORD code = 1;
    EXPECT_TRUE(saver.WaitForExit(EndLimit, &code)) << "the saver still ran after the dialog";
    EXPECT_EQ(code, 0u);
}

TEST(SettingsDialog, ShowsDefaultsForBadValuesAndStoresOnlyOnOk) {
    ClearSettings();
    const char text[] = "1";
    const DWORD outOfRange = 7;
    const BYTE eightBytes[8] = {1};
    StoreValue("Style", REG_SZ, text, sizeof text);
    StoreValue("SecondHand", REG_DWORD, &outOfRange, sizeof outOfRange);
    StoreValue("Hours24", REG_BINARY, eightBytes, sizeof eightBytes);
    {
        SaverProcess saver("/c");
        HWND dialog = WaitForDialog(saver);
        ASSERT_NE(dialog, nullptr) << "no dialog '" << DialogCaption << "'";
        // The defaults: the clockwork face with its second hand; 24-hour digits, which only
        // the digital clock has.
        EXPECT_EQ(Shown(dialog), "CdS-");
        Click(dialog, STYLE_DIGITAL_ID);
        EXPECT_EQ(Shown(dialog), "cD-H");
        Click(dialog, HOURS_24_ID);
        EXPECT_EQ(Shown(dialog), "cD-h");
        Click(dialog, IDOK);
        ExpectEndsWithZero(saver);
    }
    const std::string dword = std::to_string(REG_DWORD) + ":";
    EXPECT_EQ(StoredText("Style"), dword + "1");
    EXPECT_EQ(StoredText("SecondHand"), dword + "1");
    EXPECT_EQ(StoredText("Hours24"), dword + "0");
    {
        SaverProcess saver("/c");
        HWND dialog = WaitForDialog(saver);
        ASSERT_NE(dialog, nullptr) << "no dialog '" << DialogCaption << "'";
        EXPECT_EQ(Shown(dialog), "cD-h");
        Click(dialog, STYLE_CLOCKWORK_ID);
        Click(dialog, SECOND_HAND_ID);
        EXPECT_EQ(Shown(dialog), "Cds-");
        Click(dialog, IDCANCEL);
        ExpectEndsWithZero(saver);
    }
    EXPECT_EQ(StoredText("Style"), dword + "1");
    EXPECT_EQ(StoredText("SecondHand"), dword + "1");
    ClearSettings();
}

// The forms Windows uses, and an unknown one; 1234 names no window here, so the dialog shows
// without an owner rather than not at all.
class SettingsDialogArguments : public testing::TestWithParam<const char*> {};

TEST_P(SettingsDialogArguments, OpenTheDialog) {
    SaverProcess saver(GetParam());
    HWND dialog = WaitForDialog(saver);
    ASSERT_NE(dialog, nullptr) << "'" << GetParam() << "': no dialog '" << DialogCaption << "'";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ExpectEndsWithZero(saver);
}

INSTANTIATE_TEST_SUITE_P(Arguments, SettingsDialogArguments,
                         testing::Values("/c", "-C", "/c:1234", "", "/x"));

TEST(SettingsDialog, IsModalToTheWindowGiven) {
    HWND owner = MakePlainWindow({"SettingsOwner", "Display settings", 50, 50, 300, 200});
    ASSERT_NE(owner, nullptr);
    SaverProcess saver("/c:" + std::to_string(reinterpret_cast<uintptr_t>(owner)));
    // The dialog disables its owner, which needs this thread to take the owner's messages.
    HWND dialog = WaitForDialog(saver);
    ASSERT_NE(dialog, nullptr) << "no dialog '" << DialogCaption << "'";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the dialog is not modal to the window given";
    Click(dialog, IDCANCEL);
    ExpectEndsWithZero(saver);
    EXPECT_TRUE(PumpUntil(EndLimit, [&] { return IsWindowEnabled(owner) != FALSE; }))
        << "the owner stayed disabled after the dialog closed";
    DestroyWindow(owner);
}

} // namespace
