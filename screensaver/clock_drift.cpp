// Moving the clock a little every second and turning back at the edges.
#include "clock_drift.h"

namespace {

constexpr int DriftStepDivisor = 12;

int Clamped(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

void AdvanceAxis(int& position, int& step, int range) {
    if (range <= 0) {
        position = 0;
        return;
    }
    position = Clamped(position, 0, range) + step;
    if (position > range) {
        position = 2 * range - position;
        step = -step;
    } else if (position < 0) {
        position = -position;
        step = -step;
    }
    // A step larger than the range would otherwise bounce out through the other end.
    position = Clamped(position, 0, range);
}

} // namespace

int DriftStepFor(int thickness) {
    int step = thickness / DriftStepDivisor;
    return step > 0 ? step : 1;
}

void StartDrift(Drift& drift, int rangeX, int rangeY, int step) {
    drift = {rangeX > 0 ? rangeX / 2 : 0, rangeY > 0 ? rangeY / 2 : 0, step, step};
}

void AdvanceDrift(Drift& drift, int rangeX, int rangeY) {
    AdvanceAxis(drift.X, drift.StepX, rangeX);
    AdvanceAxis(drift.Y, drift.StepY, rangeY);
}
