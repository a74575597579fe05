// Reading a command line as the system hands it to a program: the program's name first (in
// double quotes when it holds blanks), then the arguments, separated by blanks and tabs. An
// argument in double quotes may hold blanks. Portable.
#pragma once
#include <stdint.h>

// An argument as it stands on the command line, quotes included; Length 0 after the last.
struct CommandArgument {
    const char* Text;
    uint32_t Length;
};

// Blanks and tabs separate arguments.
bool IsBlank(char c);

// The first blank or tab from at on skipped.
const char* SkipBlanks(const char* at);

// Where the arguments begin: after the program's name and the blanks that follow it.
const char* FirstArgument(const char* commandLine);

// The argument at at (which FirstArgument or a previous call gave); at moves past it and the
// blanks that follow. Never reads past the terminating NUL.
CommandArgument NextArgument(const char*& at);

// Whether argument, without surrounding double quotes, is the switch "/" + name or "-" + name,
// letters compared without case (name in lower case).
bool IsSwitch(const CommandArgument& argument, const char* name);
