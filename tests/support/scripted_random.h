#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "random_source.h"

namespace zelkor::testing {

// Hands out a fixed script of fractions, then repeats `tail` for ever. Keeps a trace
// of what was asked: "R" for a reseed, "D" for a draw.
class ScriptedRandom final : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<float> script = {}, std::vector<float> tail = {0.0f})
        : script_(std::move(script)), tail_(std::move(tail)) {}

    void reseedFromClock() override { trace += 'R'; }
    float nextFraction() override {
        trace += 'D';
        ++draws;
        if (next_ < script_.size()) return script_[next_++];
        return tail_[tailNext_++ % tail_.size()];
    }

    std::size_t draws = 0;
    std::string trace;

  private:
    std::vector<float> script_;
    std::vector<float> tail_;
    std::size_t next_ = 0;
    std::size_t tailNext_ = 0;
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
