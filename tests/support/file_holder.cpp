// Test helper: holds a file open with no sharing, as another program would.
//   file_holder <path> [seconds]
// Prints "held" once the file is open, then keeps it until its standard input closes or the
// seconds (default 60) pass. Exit status 0, or 1 when the file could not be opened.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: file_holder <path> [seconds]\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "file_holder: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    printf("held\n");
    fflush(stdout);
    DWORD seconds = argc > 2 ? static_cast<DWORD>(atoi(argv[2])) : 60;
    // Reading standard input returns when the test closes its end (or ends).
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD start = GetTickCount();
    char byte;
    DWORD read;
    while (GetTickCount() - start < seconds * 1000) {
        DWORD available = 0;
        if (!PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr))
            break; // the pipe closed (or there is none to wait on)
        if (available > 0 && (!ReadFile(input, &byte, 1, &read, nullptr) || read == 0))
            break;
        Sleep(20);
    }
    CloseHandle(file);
    return 0;
}
