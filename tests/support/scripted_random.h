#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "random_source.h"

namespace zelkor::testing {

// Hands out a fixed script of fractions, and keeps a trace of what was asked: "R" for a
// reseed, "D" for a draw. A draw past the end of the script fails the test and throws,
// so that code which keeps drawing (a loop no pair satisfies) ends the test at once.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> script) : script_(std::move(script)) {}

    void reseedFromClock() override { trace += 'R'; }
    float nextFraction() override {
        trace += 'D';
        ++draws;
        if (next_ < script_.size()) return script_[next_++];
        ADD_FAILURE() << "the scripted random source ran out after " << script_.size()
                      << " draws (trace " << trace << ")";
        throw std::out_of_range("scripted random source ran out");
    }

    std::size_t draws = 0;
    std::string trace;

  private:
    std::vector<float> script_;
    std::size_t next_ = 0;
};

// The fraction that draws value from the range floor(f * width + base).
inline float fractionFor(int value, int width, int base) {
    return static_cast<float>((value - base + 0.5) / width);
}

// A small deterministic generator for tests that need many plausible draws.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(unsigned long long seed) : state_(seed) {}
    void reseedFromClock() override { state_ ^= 0x5851F42D4C957F2DULL; }
    float nextFraction() override {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<float>(state_ >> 40) / 16777216.0f;
    }

  private:
    unsigned long long state_;
};

}  // namespace zelkor::testing
