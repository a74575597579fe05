// The setup window's colours as COLORREF values (0x00BBGGRR).
#pragma once
#include <stdint.h>

constexpr uint32_t NormalButtonColour = 0x00752020;    // RGB(32, 32, 117)
constexpr uint32_t SelectedButtonColour = 0x00F0B0B0;  // RGB(176, 176, 240)
constexpr uint32_t TitleShadowColour = 0x00000040;     // RGB(64, 0, 0)
constexpr uint32_t TitleColour = 0x0040FFFF;           // RGB(255, 255, 64)
constexpr uint32_t SelectedCaptionColour = 0x00FFFFFF; // RGB(255, 255, 255)
constexpr uint32_t CaptionColour = 0x00EEDDDD;         // RGB(221, 221, 238)
