// All state of the setup application, declared in one place (defined in setup_state.cpp). It
// lives for the whole process. Win32 code only: handles have the platform's own types.
#pragma once
#include "button_panel.h"
#include "file_variable.h"
#include "length_prefixed_string.h"

#include <windows.h>

#include <stdint.h>

// The window's picture: 366 x 275 pixels of 32 bits.
constexpr int PictureWidth = 366;
constexpr int PictureHeight = 275;
constexpr uint32_t PixelBufferSize = PictureWidth * PictureHeight * 4; // 402,600 bytes

extern uint16_t SelectedButton;         // the highlighted button, 1..3
extern LengthPrefixedString TargetPath; // Windows directory + "\" + the file name
extern FileVariable ProbeFile;          // holds the installed file open while found
extern uint16_t InstallState;           // 0: found and held; else the probe's code, or 1
extern const char* ButtonCaptions[SetupButtonCount + 1]; // 1..3
extern HBRUSH NormalBrush;                               // buttons that are not selected
extern HBRUSH SelectedBrush;                             // the selected button
extern HCURSOR HintCursor;                               // shown over the buttons
extern ButtonList ButtonTable;                           // entry 0: the window; 1..3: the buttons
extern HWND MainWindow;
extern HDC WindowDC;     // taken once, never released
extern uint16_t LastKey; // the key the event pump returned last
extern bool QuietRun;    // a command line's /quiet: no window and no box at all

// The last message the event pump fetched; its point is in client coordinates. Kept between
// calls, so that every call starts with a hit test at the pointer's last known position.
extern MSG PumpMessage;

// The wallpaper, decoded anew at every full repaint: rows from the top, each pixel blue,
// green, red, 0.
extern uint8_t PixelBuffer[PixelBufferSize];
// The buffer's description for the system: 366 x 275 (rows from the top), 32 bits a pixel.
extern BITMAPINFOHEADER BitmapHeader;
// The rectangle every text is drawn in.
extern RECT TextRect;

// system.ini's section names and one section's entries, as install reads them to see that its
// write changed nothing else; a file with more than the room holds cannot be compared.
constexpr uint32_t ProfileRoom = 64 * 1024;
extern char ProfileNames[ProfileRoom], ProfileEntries[ProfileRoom];
