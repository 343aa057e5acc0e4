#include "clock_random_source.h"

#include <chrono>

namespace zelkor {
namespace {

// SplitMix64: the state walks a Weyl sequence with an odd step, and each output is the
// state run through a bijective 64-bit finaliser (passes BigCrush).
constexpr std::uint64_t kWeylStep = 0x9E3779B97F4A7C15ULL;

std::uint64_t mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

ClockRandomSource::ClockRandomSource()
    : ClockRandomSource(mix64(steadyClockNanoseconds()), &steadyClockNanoseconds) {}

ClockRandomSource::ClockRandomSource(std::uint64_t initialState, ClockReading clock)
    : state_(initialState), clock_(clock) {}

std::uint64_t ClockRandomSource::steadyClockNanoseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void ClockRandomSource::reseedFromClock() {
    // The state walks state0 + k * step; a reseed moves k forward by the clock reading
    // instead of replacing the state, so reseeds within one reading still land on new
    // positions of the sequence.
    state_ += clock_() * kWeylStep;
}

std::uint64_t ClockRandomSource::next64() {
    state_ += kWeylStep;
    return mix64(state_);
}

float ClockRandomSource::nextFraction() {
    // The top 24 bits, scaled by 2^-24: every multiple of 2^-24 from 0 to 1 - 2^-24,
    // equally likely, each exactly representable as a float.
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(next64() >> 40) * kTwoToMinus24;
}

}  // namespace zelkor
