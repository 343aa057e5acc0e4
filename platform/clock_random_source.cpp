#include "clock_random_source.h"

#include <chrono>

namespace zelkor {
namespace {

// wyrand's constants: the state walks a Weyl sequence with an odd step, and each output
// is one 64 x 64 -> 128-bit multiply folded to 64 bits (passes BigCrush and PractRand).
constexpr std::uint64_t kWeylStep = 0xA0761D6478BD642FULL;
constexpr std::uint64_t kOutputMix = 0xE7037ED1A0B428DBULL;

std::uint64_t mix64(std::uint64_t z) {
    const unsigned __int128 product = static_cast<unsigned __int128>(z) * (z ^ kOutputMix);
    return static_cast<std::uint64_t>(product >> 64) ^ static_cast<std::uint64_t>(product);
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
    // The state walks the Weyl sequence state0 + k * step; a reseed moves k forward by
    // the clock reading instead of replacing the state, so reseeds within one reading
    // still land on new positions. Every output goes through mix64, so a plain step is
    // enough here, and the generator reseeds on every attempt.
    state_ += clock_() * kWeylStep;
}

std::uint64_t ClockRandomSource::next64() {
    state_ += kWeylStep;
    return mix64(state_);
}

float ClockRandomSource::nextFraction() {
    // The top 24 bits fill a float's significand exactly: 0 <= f <= 1 - 2^-24 < 1.
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(next64() >> 40) * kTwoToMinus24;
}

}  // namespace zelkor
