// Test helper: holds a file open with no sharing, as another program would.
//   file_holder <path> [seconds]
// A holder (seconds > 0) waits up to two seconds for a file that another program has open;
// with seconds 0 it only tells whether the file can be opened now.
// Prints "held" once the file is open, then keeps it until its standard input (when that is a
// pipe) closes or the seconds (default 60) pass. Exit status 0, or 1 when the file could not
// be opened.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: file_holder <path> [seconds]\n");
        return 2;
    }
    DWORD seconds = argc > 2 ? static_cast<DWORD>(atoi(argv[2])) : 60;
    // Another program may have the file open for a moment: try for up to two seconds.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION &&
            seconds > 0)
            Sleep(20);
        else
            break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "file_holder: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    // With standard input on a pipe, the file is let go as soon as the pipe closes (the test
    // that started this program ended or let go); otherwise after the seconds.
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    bool watchInput = GetFileType(input) == FILE_TYPE_PIPE;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        DWORD available = 0;
        if (watchInput && !PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr))
            break;
        Sleep(20);
    }
    CloseHandle(file);
    return 0;
}
