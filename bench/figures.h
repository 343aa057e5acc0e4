#pragma once

#include <string>
#include <vector>

namespace zelkor::bench {

// One row of the benchmark table.
struct Figure {
    std::string what;
    std::string measured;
    std::string target;
    std::string verdict;  // "yes", "NO", or "" where there is no target
};

struct Options {
    bool quick = false;  // short runs for a smoke check; the quoted figures use full runs
};

// Per type ns per problem against its floor, clock reading and draw costs.
std::vector<Figure> generatorFigures(const Options& options);

// In the real window (offscreen): the 20-problem run and the stopwatch drift.
std::vector<Figure> windowFigures(const Options& options);

// The real program under the X server in DISPLAY: start-up time and memory against
// the bare window, and idle CPU.
std::vector<Figure> processFigures(const Options& options);

// The Windows program of the Windows build in windowsBuild under Wine (WINEPREFIX, on the
// X server in DISPLAY): start-up and memory against a bare Win32 window, and idle CPU.
std::vector<Figure> windowsProcessFigures(const Options& options, const std::string& windowsBuild);

// Median, min and max of samples. REQUIRES: samples not empty.
struct Spread {
    double median;
    double min;
    double max;
};
Spread spreadOf(std::vector<double> samples);

std::string fixed(double value, int decimals);
std::string verdict(bool met);

}  // namespace zelkor::bench
