// Test helper: waits for a message box, prints what it shows, and answers it.
//   box_probe <caption>|* <ok|cancel|close|none> [seconds]
// Prints "caption=", "text=", "flags=0x.." lines, the text's backslashes and line ends written
// as \\, \r and \n; exit status 0, or 3 when no box appeared.
#include "message_box_reader.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: box_probe <caption>|* <ok|cancel|close|none> [seconds]\n");
        return 2;
    }
    const char* caption = strcmp(argv[1], "*") == 0 ? nullptr : argv[1];
    DWORD wait = argc > 3 ? static_cast<DWORD>(atof(argv[3]) * 1000) : 10000;
    MessageBoxView box = WaitForMessageBox(caption, wait);
    if (box.Window == nullptr) {
        fprintf(stderr, "box_probe: no message box captioned '%s' within %lu ms\n", argv[1],
                static_cast<unsigned long>(wait));
        return 3;
    }
    printf("caption=%s\ntext=", box.Caption.c_str());
    for (char c : box.Text)
        printf(c == '\\' ? "\\\\" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : "%c", c);
    printf("\nflags=0x%X\n", box.Flags());
    fflush(stdout);
    const char* answer = argv[2];
    if (strcmp(answer, "ok") == 0)
        AnswerMessageBox(box.Window, IDOK);
    else if (strcmp(answer, "cancel") == 0)
        AnswerMessageBox(box.Window, IDCANCEL);
    else if (strcmp(answer, "close") == 0)
        AnswerMessageBox(box.Window, 0);
    return 0;
}
