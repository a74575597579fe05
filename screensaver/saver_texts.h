// What the screen saver says to the user, kept together.
#pragma once

constexpr char SaverCaption[] = "Flarvex clock";
constexpr char NoSettingsText[] = "Flarvex clock has no settings to change.";
