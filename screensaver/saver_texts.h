// What the screen saver says to the user in its own message boxes, kept together; the settings
// dialog's texts are in screensaver.rc.
#pragma once

constexpr char SaverCaption[] = "Flarvex clock";
constexpr char SettingsNotSavedText[] = "The settings could not be saved.";
