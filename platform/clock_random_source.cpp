#include "clock_random_source.h"

#include <chrono>

namespace zelkor {
namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ULL;

// SplitMix64's finaliser: a bijection on 64-bit values with full avalanche.
std::uint64_t mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

ClockRandomSource::ClockRandomSource()
    : ClockRandomSource(mix64(steadyClockNanoseconds()), &steadyClockNanoseconds) {}

ClockRandomSource::ClockRandomSource(std::uint64_t initialState, ClockReading clock)
    : state_(initialState), clock_(std::move(clock)) {}

std::uint64_t ClockRandomSource::steadyClockNanoseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void ClockRandomSource::reseedFromClock() {
    // For a fixed reading this is a bijection of the state, so distinct states stay
    // distinct: a reseed never collapses two histories into one.
    state_ = mix64(state_ ^ mix64(clock_() + kGoldenGamma));
}

std::uint64_t ClockRandomSource::next64() {
    state_ += kGoldenGamma;
    return mix64(state_);
}

float ClockRandomSource::nextFraction() {
    // The top 24 bits fill a float's significand exactly: 0 <= f <= 1 - 2^-24 < 1.
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(next64() >> 40) * kTwoToMinus24;
}

}  // namespace zelkor
