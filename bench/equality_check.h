// The start-up check that keeps the comparison honest: on the workload, our routines and the
// peers must draw exactly the pixels of a plain per-pixel drawing of the same sprites.
#pragma once

// Prints what it checked. False (with the first difference printed) when anyone differs.
bool CheckContendersAgree();
