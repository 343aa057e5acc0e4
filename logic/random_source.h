#pragma once

namespace zelkor {

// The drill's source of chance. The run reseeds once per tick and the generator
// once per attempt, each time immediately before the first draw.
class RandomSource {
  public:
    virtual ~RandomSource() = default;

    // Mixes the current clock reading into the state without replacing it, so that
    // several reseeds within one clock reading still lead to fresh draws.
    virtual void reseedFromClock() = 0;

    // A uniformly distributed fraction f, 0 <= f < 1, in single precision.
    virtual float nextFraction() = 0;
};

}  // namespace zelkor
