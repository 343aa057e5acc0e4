#pragma once

namespace zelkor {

// Rounds to the nearest whole number; a value exactly halfway goes to the even
// neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Infinities come back unchanged.
// Independent of the floating-point environment's rounding mode.
double roundHalfEven(double x);

}  // namespace zelkor
