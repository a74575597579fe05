// Decides when pointer movement should end the full-screen saver. Portable.
//
// A window that appears under the pointer is told where the pointer is, often more than
// once, without the user touching anything. So the first position reported (the caller may
// report the pointer's position itself first) is where the pointer started, and only a move
// of more than PointerTolerance pixels away from it counts.
#pragma once

constexpr int PointerTolerance = 4;

struct PointerWatch {
    bool Started;
    int StartX, StartY;
};

// Feeds one reported pointer position (any fixed coordinate system). Returns true when the
// pointer is now farther than PointerTolerance from the first position reported; the first
// report itself never counts. A zero-initialised PointerWatch is ready for use.
bool PointerMovedAway(PointerWatch& watch, int x, int y);
