// The mouse wheel's turns counted in notches. A notch is WHEEL_DELTA (120); finer wheels and
// touch pads send less at a time, and what does not make a whole notch yet is kept for the next
// turn the same way, so slow turns add up. A turn the other way starts afresh.
#pragma once

constexpr int kWheelNotch = 120;

struct WheelTurns {
    int rest = 0;

    // Whole notches in this turn and the rest kept: positive away from the user (up, or right
    // for a tilt).
    int Notches(int delta)
    {
        if ((delta > 0 && rest < 0) || (delta < 0 && rest > 0)) rest = 0;
        rest += delta;
        const int notches = rest / kWheelNotch;
        rest -= notches * kWheelNotch;
        return notches;
    }
};
