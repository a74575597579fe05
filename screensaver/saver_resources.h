// Resource numbers shared by the resource script and the code.
#pragma once

// The first icon group is the one the shell shows for the file.
#define SAVER_ICON_ID 1
// The name Windows lists the screen saver under.
#define SAVER_DESCRIPTION_ID 1

// The settings dialog and its controls.
#define SETTINGS_DIALOG_ID 100
#define STYLE_CLOCKWORK_ID 1001
#define STYLE_DIGITAL_ID 1002
#define SECOND_HAND_ID 1003
#define HOURS_24_ID 1004
