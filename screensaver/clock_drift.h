// The clock's slow drift across the screen, so that no pixel shows the same thing for long.
// Portable.
#pragma once

// A position in [0, rangeX] x [0, rangeY] and the step it takes each tick on either axis.
struct Drift {
    int X, Y;
    int StepX, StepY;
};

// How far the clock moves each second for a face of this thickness: about a twelfth of it,
// at least a pixel, so a face crosses its screen in minutes.
int DriftStepFor(int thickness);

// Places the drift in the middle of its range, moving right and down by step each tick.
void StartDrift(Drift& drift, int rangeX, int rangeY, int step);

// Moves one tick. At either end of an axis the position turns back, so it never leaves the
// range; a position beyond a range that has shrunk comes back into it. A range below 0
// counts as 0.
void AdvanceDrift(Drift& drift, int rangeX, int rangeY);
