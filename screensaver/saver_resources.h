// Resource numbers shared by the resource script and the code.
#pragma once

// The first icon group is the one the shell shows for the file.
#define SAVER_ICON_ID 1
// The name Windows lists the screen saver under.
#define SAVER_DESCRIPTION_ID 1
