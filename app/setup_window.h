// The setup window's size: the picture's, plus the caption bar in height.
#pragma once

constexpr int WindowWidth = 366;
constexpr int WindowHeight = 275;
