// zelkor_bench [--quick] [--windows WINDOWS_BUILD]: prints the benchmark table in
// Markdown, or with --windows the Windows program's start-up rows under Wine. Timing
// figures are reported, never enforced: the exit status says only whether the bench ran.
#include <sys/utsname.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <thread>

#include "application_setup.h"
#include "figures.h"

namespace zelkor::bench {

Spread spreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front(), samples.back()};
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string verdict(bool met) { return met ? "yes" : "NO"; }

}  // namespace zelkor::bench

int main(int argc, char* argv[]) {
    using namespace zelkor::bench;
    Options options;
    const char* windowsBuild = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) options.quick = true;
        if (std::strcmp(argv[i], "--windows") == 0 && i + 1 < argc) windowsBuild = argv[++i];
    }
    if (windowsBuild != nullptr) {
        for (const Figure& f : windowsProcessFigures(options, windowsBuild)) {
            std::cout << "| " << f.what << " | " << f.measured << " | " << f.target << " | "
                      << f.verdict << " |\n";
        }
        return 0;
    }

    std::vector<Figure> table = generatorFigures(options);
    {
        // The in-process window runs offscreen; the programs started below use DISPLAY.
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LARGE_SCREEN_CONFIG);
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        zelkor::prepareApplication(application);
        for (Figure& f : windowFigures(options)) table.push_back(f);
    }
    for (Figure& f : processFigures(options)) table.push_back(f);

    utsname machine{};
    uname(&machine);
    std::cout << "\nzelkor bench"
              << (options.quick ? " (quick run: shortened, not for quoting)" : "") << " on "
              << std::thread::hardware_concurrency() << " cores, " << machine.sysname << " "
              << machine.release << " " << machine.machine << "\n\n"
              << "| figure | measured | target | met |\n|---|---|---|---|\n";
    for (const Figure& f : table) {
        std::cout << "| " << f.what << " | " << f.measured << " | " << f.target << " | "
                  << f.verdict << " |\n";
    }
    return 0;
}
