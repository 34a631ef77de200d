// Counts the heap blocks alive in this test executable, so a test can show that a failed
// read gave back everything it took.
#pragma once

long LiveAllocations();
