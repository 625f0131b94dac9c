#pragma once

namespace tavisko {

// Worked time of a stint. Computed in x87 extended precision (64-bit significand),
// every operation rounded to nearest and the conversion to an integer rounding ties
// to even, in a fixed order: time lines written years ago were computed this way, and
// a recomputation must give the same hundredths (1062 s is 0.29 h here, 0.30 h in
// double precision).

// Whole seconds between two day numbers, as a floating-point value.
double workedSeconds(double startDay, double endDay);

// Hours rounded to hundredths, derived from the stored whole seconds.
double workedHours(double seconds);

} // namespace tavisko
