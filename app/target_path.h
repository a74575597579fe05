// The installed screen saver's full path: the Windows directory, a backslash and the file
// name, built in a length-prefixed string the way the file services take names. Portable.
#pragma once
#include "length_prefixed_string.h"

#include <stdint.h>

// The room given to the system for the Windows directory, its NUL included.
constexpr uint32_t WindowsDirectoryRoom = 240;

// True when the system's answer (the directory's length, 0 on failure, the length it needs
// when the room is too small) is a whole directory that left room for its NUL.
bool WindowsDirectoryFits(uint32_t directoryLength);

// path holds the directory as the system wrote it, with length WindowsDirectoryRoom; inserts
// "\" and the file name (with its NUL) right after the directory. The result's length is 253
// for every directory length from 0 to 239, and the text up to the first NUL is the path.
void BuildTargetPath(LengthPrefixedString& path, uint32_t directoryLength);

// True when finalPath, a path as the system reports an open file's final name ("\\?\" and a
// drive path), names path itself: the same characters, letters compared without case. A
// name that leads elsewhere (a link) gives another final path.
bool IsFinalPathOf(const char* finalPath, const char* path);
