// WaitMilliseconds: a busy wait on the multimedia clock. Transitions pace their frames
// with it because it keeps millisecond resolution where a sleep would round up to the
// scheduler's tick; it processes no messages.
#pragma once

#include <windows.h>

// Waits until the clock has advanced by at least the given milliseconds from its value
// on entry and returns the milliseconds that passed. The difference is taken as an
// unsigned 32-bit number, so the clock's wrap after 49.7 days is harmless. A count of 0
// or less returns at once.
DWORD WaitMilliseconds(int milliseconds);

// The same against another clock (tests drive it across the wrap).
DWORD WaitMilliseconds(int milliseconds, DWORD (*clock)());
