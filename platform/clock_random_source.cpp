#include "clock_random_source.h"

#include <bit>
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
    // 23 random bits as the significand of a float in [1, 2), less 1: every result is a
    // multiple of 2^-23 from 0 to 1 - 2^-23, equally likely. Bit operations instead of
    // an integer-to-float conversion keep the attempt loop's dependency chain short.
    const auto bits = static_cast<std::uint32_t>(next64() >> 41);
    return std::bit_cast<float>(0x3F800000U | bits) - 1.0f;
}

}  // namespace zelkor
