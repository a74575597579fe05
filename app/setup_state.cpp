// Definitions of the setup application's state.
#include "setup_state.h"

uint16_t SelectedButton;
LengthPrefixedString TargetPath;
FileVariable ProbeFile;
uint16_t InstallState;
const char* ButtonCaptions[SetupButtonCount + 1];
void* NormalBrush;
void* SelectedBrush;
void* HintCursor;
ButtonList ButtonTable;
void* MainWindow;
void* WindowDC;
uint16_t LastKey;
