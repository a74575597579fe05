// Definitions of the setup application's state.
#include "setup_state.h"

uint16_t SelectedButton;
LengthPrefixedString TargetPath;
FileVariable ProbeFile;
uint16_t InstallState;
const char* ButtonCaptions[SetupButtonCount + 1];
HBRUSH NormalBrush;
HBRUSH SelectedBrush;
HCURSOR HintCursor;
ButtonList ButtonTable;
HWND MainWindow;
HDC WindowDC;
uint16_t LastKey;
bool QuietRun;
MSG PumpMessage;
alignas(16) uint8_t PixelBuffer[PixelBufferSize];
BITMAPINFOHEADER BitmapHeader;
RECT TextRect;
char ProfileNames[ProfileRoom], ProfileEntries[ProfileRoom];
