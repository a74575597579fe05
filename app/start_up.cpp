// The setup application's start-up steps and its main loop.
#include "start_up.h"

#include "actions.h"
#include "colours.h"
#include "event_pump.h"
#include "installed_file.h"
#include "key_handling.h"
#include "outcomes.h"
#include "painting.h"
#include "process.h"
#include "setup_state.h"
#include "target_path.h"
#include "texts.h"

namespace {

// The named object that a running setup holds, in this session's namespace.
constexpr char RunningSetupName[] = "Local\\Flarvex clock setup";

void ReportStartupError(const char* text) {
    if (!QuietRun)
        MessageBoxA(GetFocus(), text, StartupErrorCaption, MB_OK);
}

void RegisterWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA; // every reaction lives in the event pump
    windowClass.hInstance = static_cast<HINSTANCE>(ModuleInstance);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, "SETUP");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = TitleText;
    if (RegisterClassA(&windowClass) == 0) {
        ReportStartupError(RegisterClassFailedText);
        HaltProcess(0);
    }
}

// Ends the setup as soon as its window is being destroyed, whoever destroys it. The system's
// own handling of Alt+F4 while the title bar is held destroys it inside the move loop, whose
// end the event pump would then wait for in vain.
LRESULT CALLBACK EndWithTheWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == MainWindow)
        LeaveSetup();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool TakeSetupPlace() {
    CreateMutexA(nullptr, FALSE, RunningSetupName);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

// One setup at a time: a second start hands over to the setup that runs and ends before it
// looks at or touches anything. A setup run from the command line has no window to bring
// forward, and one that has yet to make its window neither: then the user is told.
void HandOverToRunningSetup() {
    if (TakeSetupPlace())
        return;
    HWND running = FindWindowA(TitleText, nullptr);
    if (running == nullptr) {
        Report(SetupRunning);
        HaltProcess(SetupRunning.ExitCode);
    }
    SetForegroundWindow(running);
    HaltProcess(0);
}

void FindInstalledFile() {
    TargetPath.Length = WindowsDirectoryRoom;
    uint32_t directoryLength = GetWindowsDirectoryA(TargetPath.Chars, WindowsDirectoryRoom);
    // A directory that did not fit would leave an empty or garbled name, and an empty name
    // "opens" the standard output: the setup would take the screen saver as installed.
    if (!WindowsDirectoryFits(directoryLength)) {
        ReportStartupError(WindowsDirectoryFailedText);
        HaltProcess(ExitNoWindowsDirectory);
    }
    BuildTargetPath(TargetPath, directoryLength);
    BindFileName(ProbeFile, TargetPath);
    ProbeInstalledFile();
}

void PrepareSetupState() {
    SelectedButton = 1;
    FindInstalledFile();
    ButtonCaptions[1] = InstallState != 0 ? InstallCaption : ReinstallCaption;
    ButtonCaptions[2] = UninstallCaption;
    ButtonCaptions[3] = ExitCaption;

    NormalBrush = CreateSolidBrush(NormalButtonColour);
    SelectedBrush = CreateSolidBrush(SelectedButtonColour);
    HintCursor = LoadCursorA(static_cast<HINSTANCE>(ModuleInstance), "Hint_Cur");
    FillButtonTable();
}

void FillButtonTable() {
    for (int i = 1; i <= SetupButtonCount; ++i) {
        PlaceButton(ButtonTable.Entries[i], i);
        ButtonTable.Entries[i].Cursor = HintCursor;
    }
    ButtonTable.Entries[0].OnClick = RepaintWindow;
    ButtonTable.Entries[1].OnClick = InstallAction;
    ButtonTable.Entries[2].OnClick = UninstallAction;
    ButtonTable.Entries[3].OnClick = ExitAction;
    ButtonTable.Entries[1].OnHover = SelectButton1;
    ButtonTable.Entries[2].OnHover = SelectButton2;
    ButtonTable.Entries[3].OnHover = SelectButton3;
}

// The window is the picture's size, plus its caption bar, centred on the screen.
void CreateSetupWindow() {
    if (PreviousInstance == nullptr)
        RegisterWindowClass();
    MainWindow = CreateWindowExA(WS_EX_DLGMODALFRAME, TitleText, WindowCaption, WS_VISIBLE,
                                 GetSystemMetrics(SM_CXSCREEN) / 2 - PictureWidth / 2,
                                 GetSystemMetrics(SM_CYSCREEN) / 2 - PictureHeight / 2,
                                 PictureWidth, PictureHeight + GetSystemMetrics(SM_CYCAPTION),
                                 nullptr, nullptr, static_cast<HINSTANCE>(ModuleInstance), nullptr);
    WindowDC = GetDC(MainWindow);
    if (WindowDC == nullptr)
        ReportStartupError(GetDcFailedText);
    SetBkMode(WindowDC, TRANSPARENT);
    PrepareBitmapHeader();
}

void EndWhenTheWindowGoes() {
    SetWindowsHookExA(WH_CBT, EndWithTheWindow, nullptr, GetCurrentThreadId());
}

void RunMainLoop() {
    for (;;) {
        RunProcedure(ButtonTable.Entries[0].OnClick);
        LastKey = RunEventPump(MainWindow, SetupButtonCount, ButtonTable);
        if (LastKey == PumpWindowGone)
            ExitAction();
        switch (HandleKey(LastKey, SelectedButton, SetupButtonCount)) {
        case KeyOutcome::ActivateButton:
            // Entry 3's slot is ExitAction: Enter on "Exit" leaves.
            RunProcedure(ButtonTable.Entries[SelectedButton].OnClick);
            break;
        case KeyOutcome::Exit:
            ExitAction();
            break;
        case KeyOutcome::Nothing:
            break;
        }
    }
}
