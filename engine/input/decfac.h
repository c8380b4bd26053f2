// Decrement factor of a wall or roof type from its U-factor and time lag: the assembly is
// taken as one homogeneous layer between two surface films, and the damping of the 24-hour
// and the 12-hour harmonic of the outdoor swing is averaged. The arithmetic is single
// precision, inch-pound units; only a layer so thick that single precision overflows is
// computed in double.
#pragma once

namespace kv {

// Amplitude ratio AMP (and, for harmonic N <= 1, the time lag LAG in hours) of the periodic
// conduction through a layer of resistance R with the correlation parameter D between films
// of coefficients HI (inside) and HO (outside). LAG is left untouched for N > 1.
void FGFUNC(float R, float D, float HI, float HO, float& AMP, float& LAG, float N);

// DECR = decrement factor (0 < DECR <= 1) of a wall of U-factor U and time lag TLAG hours.
// TLAG <= 0 gives 1.0; U = 0 leaves DECR as it was. For a U-factor too small for single
// precision the factor is the smallest normal float, never 0.
void DECFAC(float U, float& DECR, float TLAG);

}  // namespace kv
