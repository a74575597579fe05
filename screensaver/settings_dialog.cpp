// The settings dialog's procedure.
#include "settings_dialog.h"

#include "saver_resources.h"
#include "saver_texts.h"
#include "settings_store.h"

namespace {

bool Checked(HWND dialog, int control) {
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void SetCheck(HWND dialog, int control, bool on) {
    CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

// Each option is open only with the style it changes.
void EnableOptions(HWND dialog) {
    bool clockwork = Checked(dialog, STYLE_CLOCKWORK_ID);
    EnableWindow(GetDlgItem(dialog, SECOND_HAND_ID), clockwork);
    EnableWindow(GetDlgItem(dialog, HOURS_24_ID), !clockwork);
}

void ShowSettings(HWND dialog, const SaverSettings& settings) {
    bool digital = settings.Style == ClockStyle::Digital;
    CheckRadioButton(dialog, STYLE_CLOCKWORK_ID, STYLE_DIGITAL_ID,
                     digital ? STYLE_DIGITAL_ID : STYLE_CLOCKWORK_ID);
    SetCheck(dialog, SECOND_HAND_ID, settings.SecondHand);
    SetCheck(dialog, HOURS_24_ID, settings.Hours24);
    EnableOptions(dialog);
}

SaverSettings ShownSettings(HWND dialog) {
    return {Checked(dialog, STYLE_DIGITAL_ID) ? ClockStyle::Digital : ClockStyle::Clockwork,
            Checked(dialog, SECOND_HAND_ID), Checked(dialog, HOURS_24_ID)};
}

INT_PTR CALLBACK SettingsProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowSettings(dialog, LoadSettings());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (!SaveSettings(ShownSettings(dialog))) {
                MessageBoxA(dialog, SettingsNotSavedText, SaverCaption, MB_OK | MB_ICONEXCLAMATION);
                return TRUE;
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case STYLE_CLOCKWORK_ID:
        case STYLE_DIGITAL_ID:
            EnableOptions(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

int RunSettingsDialog(HINSTANCE instance, HWND owner) {
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(SETTINGS_DIALOG_ID), owner,
                                     SettingsProcedure, 0);
    return result == -1 || result == 0 ? 1 : 0;
}
