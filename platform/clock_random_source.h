#pragma once

#include <cstdint>

#include "random_source.h"

namespace zelkor {

// The program's random source: a SplitMix64 generator, portable 64-bit arithmetic,
// whose reseed stirs a steady-clock reading into the current state.
// Because the old state goes into the mix, reseeds that see the same clock reading
// still lead somewhere new.
class ClockRandomSource final : public RandomSource {
  public:
    // Reads a clock as a count of ticks; the default reads std::chrono::steady_clock.
    using ClockReading = std::uint64_t (*)();

    ClockRandomSource();
    ClockRandomSource(std::uint64_t initialState, ClockReading clock);

    void reseedFromClock() override;
    float nextFraction() override;

    static std::uint64_t steadyClockNanoseconds();

  private:
    std::uint64_t next64();

    std::uint64_t state_;
    ClockReading clock_;
};

}  // namespace zelkor
