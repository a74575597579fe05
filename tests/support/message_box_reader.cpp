// Reading message boxes through their controls, and their icon through the screen's pixels.
#include "message_box_reader.h"

static_assert(BoxOk == MB_OK && BoxOkCancel == MB_OKCANCEL && BoxIconQuestion == MB_ICONQUESTION &&
                  BoxIconExclamation == MB_ICONEXCLAMATION &&
                  BoxIconInformation == MB_ICONINFORMATION && BoxDefaultButton2 == MB_DEFBUTTON2,
              "the box flags of setup_boxes.h are the system's");

namespace {

constexpr int MessageTextId = 0xFFFF;
constexpr int IconSize = 32;

struct Search {
    const char* Caption;
    HWND Found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    char name[64] = "", caption[512] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) &&
        (search.Caption == nullptr || lstrcmpA(caption, search.Caption) == 0)) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

// Which stock icon the icon control shows: its pixels on the screen are compared with each
// stock icon drawn here over the control's own background.
UINT IdentifyIcon(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    HDC screen = GetDC(nullptr);
    COLORREF background = GetPixel(screen, rect.right - 1, rect.bottom - 1);
    struct Candidate {
        LPCSTR Id;
        UINT Flag;
    } const candidates[] = {{IDI_HAND, MB_ICONHAND},
                            {IDI_QUESTION, MB_ICONQUESTION},
                            {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                            {IDI_ASTERISK, MB_ICONASTERISK}};
    UINT found = 0;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, IconSize, IconSize);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH fill = CreateSolidBrush(background);
    for (const Candidate& candidate : candidates) {
        RECT all = {0, 0, IconSize, IconSize};
        FillRect(memory, &all, fill);
        DrawIconEx(memory, 0, 0, LoadIconA(nullptr, candidate.Id), IconSize, IconSize, 0, nullptr,
                   DI_NORMAL);
        bool same = true;
        for (int y = 0; y < IconSize && same; ++y)
            for (int x = 0; x < IconSize && same; ++x)
                same = GetPixel(memory, x, y) == GetPixel(screen, rect.left + x, rect.top + y);
        if (same) {
            found = candidate.Flag;
            break;
        }
    }
    DeleteObject(fill);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return found;
}

bool HasIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        if (IsWindowVisible(child) && lstrcmpiA(name, "Static") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0) != 0) // a box without one keeps an empty place
            return true;
    }
    return false;
}

MessageBoxView Read(HWND box) {
    MessageBoxView view;
    view.Window = box;
    char text[4096] = ""; // a box's text may hold 1,024 characters and more
    GetWindowTextA(box, text, sizeof text);
    view.Caption = text;
    text[0] = '\0';
    GetDlgItemTextA(box, MessageTextId, text, sizeof text);
    view.Text = text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(name, "Button") == 0) {
            int id = GetDlgCtrlID(child);
            view.Buttons.push_back(id);
            if ((style & 0x0F) == BS_DEFPUSHBUTTON)
                view.DefaultButton = id;
        } else if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
            view.Icon = IdentifyIcon(child);
        }
    }
    return view;
}

} // namespace

UINT MessageBoxView::Flags() const {
    UINT flags = Icon;
    if (Buttons == std::vector<int>{IDOK, IDCANCEL})
        flags |= MB_OKCANCEL;
    else if (Buttons == std::vector<int>{IDYES, IDNO})
        flags |= MB_YESNO;
    for (size_t i = 1; i < Buttons.size(); ++i)
        if (Buttons[i] == DefaultButton)
            flags |= static_cast<UINT>(i) * MB_DEFBUTTON2;
    return flags;
}

SeenBox MessageBoxView::Seen() const {
    if (Window == nullptr)
        return {};
    return {true, Caption, Text, Flags()};
}

MessageBoxView WaitForMessageBox(const char* caption, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        Search search = {caption, nullptr};
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
        // A box is read once its text is in place and its icon, if it has one, is on screen:
        // the icon is told by its pixels, which a slow machine paints late.
        if (search.Found && GetDlgItem(search.Found, MessageTextId)) {
            DWORD found = GetTickCount();
            MessageBoxView view;
            do {
                Sleep(50);
                view = Read(search.Found);
            } while (view.Icon == 0 && HasIcon(search.Found) && GetTickCount() - found < 5000);
            return view;
        }
        if (GetTickCount() - start > milliseconds)
            return {};
        Sleep(20);
    }
}

void AnswerMessageBox(HWND box, int button) {
    if (button == 0)
        PostMessageA(box, WM_CLOSE, 0, 0);
    else
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}
