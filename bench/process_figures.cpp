// Start-up time, memory and idle CPU of the real program in a real X server.
//
// The first frame is seen through the X DAMAGE extension: the moment the program first
// draws into its 1016 x 702 top-level window. The same watch is kept on a bare Qt
// window of that size with the same fonts, so the two figures compare like with like.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "figures.h"

namespace zelkor::bench {
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Command {
    std::vector<std::string> argv;
    bool framed = false;
};

class FirstFrameWatch {
  public:
    FirstFrameWatch() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) throw std::runtime_error("no X display");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_, 1, 1), nullptr));
        damageEventBase_ = xcb_get_extension_data(connection_, &xcb_damage_id)->first_event;
        xcb_flush(connection_);
    }
    ~FirstFrameWatch() { xcb_disconnect(connection_); }

    // Starts command and returns the milliseconds until it first drew its 1016 x 702
    // window (a window at least that large where framed says the window's frame is drawn
    // into the same X window, as Wine does for windows it leaves unmanaged).
    double launch(const Command& command, pid_t& pid) {
        const Clock::time_point start = Clock::now();
        pid = fork();
        if (pid == 0) {
            unsetenv("QT_QPA_PLATFORM");
            std::vector<char*> argv;
            for (const std::string& word : command.argv)
                argv.push_back(const_cast<char*>(word.c_str()));
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        xcb_window_t window = XCB_NONE;
        while (msSince(start) < 20000) {
            xcb_generic_event_t* event = nextEvent();
            if (event == nullptr) continue;
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                const bool exact = created->width == 1016 && created->height == 702;
                const bool framed = created->width >= 1016 && created->height >= 702;
                if (created->parent == root_ && (command.framed ? framed : exact)) {
                    window = created->window;
                    xcb_damage_create(connection_, xcb_generate_id(connection_), window,
                                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(connection_);
                }
            } else if (type == damageEventBase_ + XCB_DAMAGE_NOTIFY) {
                auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (damage->drawable == window) {
                    free(event);
                    return msSince(start);
                }
            }
            free(event);
        }
        throw std::runtime_error("no first frame from " + command.argv.back());
    }

  private:
    xcb_generic_event_t* nextEvent() {
        if (auto* event = xcb_poll_for_event(connection_)) return event;
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&fd, 1, 100);
        return xcb_poll_for_event(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    uint8_t damageEventBase_;
};

double residentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// CPU time of all the process's threads, in milliseconds, at nanosecond resolution.
double cpuMs(pid_t pid) {
    double total = 0;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream schedstat(task.path() / "schedstat");
        double ns = 0;
        schedstat >> ns;
        total += ns / 1e6;
    }
    return total;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

struct Sample {
    double startMs;
    double rssMiB;
};

Sample sample(FirstFrameWatch& watch, const Command& program) {
    pid_t pid = 0;
    const double startMs = watch.launch(program, pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const double rss = residentMiB(pid);
    stop(pid);
    return {startMs, rss};
}

std::string spreadText(const Spread& s, int decimals) {
    return fixed(s.median, decimals) + " (" + fixed(s.min, decimals) + "-" +
           fixed(s.max, decimals) + ")";
}

// Start-up and memory of program against bare, side by side, and program's idle CPU.
std::vector<Figure> compareWithBare(const Options& options, const Command& bare,
                                    const std::string& bareName, const Command& program,
                                    const std::string& programName) {
    FirstFrameWatch watch;
    sample(watch, bare);  // warm the file cache for both
    sample(watch, program);
    std::vector<double> bareStart, bareRss, programStart, programRss;
    const int runs = options.quick ? 2 : 11;
    for (int i = 0; i < runs; ++i) {
        const Sample b = sample(watch, bare);
        const Sample p = sample(watch, program);
        bareStart.push_back(b.startMs);
        bareRss.push_back(b.rssMiB);
        programStart.push_back(p.startMs);
        programRss.push_back(p.rssMiB);
    }
    const Spread bs = spreadOf(bareStart), ps = spreadOf(programStart);
    const Spread bm = spreadOf(bareRss), pm = spreadOf(programRss);

    pid_t pid = 0;
    watch.launch(program, pid);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const int idleSeconds = options.quick ? 2 : 10;
    const double before = cpuMs(pid);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idle = cpuMs(pid) - before;
    stop(pid);

    const std::string n = std::to_string(runs);
    return {
        {"start-up to first frame, " + bareName + ", ms (median of " + n + ", min-max)",
         spreadText(bs, 1), "", ""},
        {"start-up to first frame, " + programName + ", ms (median of " + n + ", min-max)",
         spreadText(ps, 1), "<= 1.25 x bare = " + fixed(1.25 * bs.median, 1),
         verdict(ps.median <= 1.25 * bs.median)},
        {"resident memory, " + bareName + ", MiB (median, min-max)", spreadText(bm, 1), "", ""},
        {"resident memory, " + programName + ", MiB (median, min-max)", spreadText(pm, 1),
         "<= 1.25 x bare = " + fixed(1.25 * bm.median, 1), verdict(pm.median <= 1.25 * bm.median)},
        {"CPU time while idle for " + std::to_string(idleSeconds) + " s, " + programName + ", ms",
         fixed(idle, 2), "<= 10 over 10 s", verdict(idle <= 10.0 * idleSeconds / 10)},
    };
}

}  // namespace

std::vector<Figure> processFigures(const Options& options) {
    return compareWithBare(options, {{BARE_WINDOW_PROGRAM}}, "bare Qt window", {{ZELKOR_PROGRAM}},
                           "zelkor");
}

std::vector<Figure> windowsProcessFigures(const Options& options, const std::string& windowsBuild) {
    // Wine draws the frames of the windows it leaves unmanaged into the same X window.
    const Command bare{{"wine", windowsBuild + "/bench/windows/win32_bare_window.exe"}, true};
    const Command program{{"wine", windowsBuild + "/zelkor.exe"}, true};
    return compareWithBare(options, bare, "bare Win32 window under Wine", program,
                           "zelkor.exe under Wine");
}

}  // namespace zelkor::bench
