#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "problem_type.h"
#include "random_source.h"

namespace zelkor {

// A range of whole numbers drawn as floor(f * width + base): base .. base + width - 1.
struct DrawRange {
    int width;
    int base;
};

// Draws one number of range from a single fraction. The product is formed in double
// precision, so even the largest float below 1 gives base + width - 1, never more.
int drawInRange(RandomSource& random, DrawRange range);

// The ranges from which a type draws its two numbers a and b (a type outside 0..8
// gets type 0's).
struct TypeRanges {
    DrawRange a;
    DrawRange b;
};
TypeRanges rangesOf(ProblemType type);

// A problem as it is shown: "first glyph second =" with answer.
struct ShownProblem {
    int first;
    std::string_view glyph;
    int second;
    int answer;
};

// Applies type's acceptance test to the drawn pair (a, b). Returns the problem the
// pair makes, or nothing when the test rejects it or type is not one of 0..8.
std::optional<ShownProblem> acceptPair(ProblemType type, int a, int b);

// "38+27=" and "38+27=65".
std::string problemLineOf(const ShownProblem& problem);
std::string answerLineOf(const ShownProblem& problem);

// Makes attempts until type's test accepts one: each attempt reseeds random, then
// draws a and b with no reseed between. A type outside 0..8 makes a problem of type 0;
// the drill never asks for one (with no box ticked a run takes entry 0 of the type list,
// which is always one of 0..8: see rebuildTypeSelection).
ShownProblem drawProblem(ProblemType type, RandomSource& random);

}  // namespace zelkor
