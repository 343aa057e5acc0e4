#include "rounding.h"

#include <cmath>

namespace zelkor {

double roundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double below = std::floor(x);
    // Exact: x and floor(x) are close enough that the difference has no rounding error.
    const double fraction = x - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace zelkor
