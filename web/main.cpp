// The drill in a browser page: the portable window over the page's controls, its random
// source and the drill, made once the page's module has loaded, and the page's events
// handed to the window. The page keeps its own look: there is no skin call here.
#include <emscripten.h>

#include <memory>

#include "clock_random_source.h"
#include "drill.h"
#include "page_surface.h"
#include "portable_window.h"

namespace {

struct Program {
    zelkor::web::PageSurface surface;
    // The stopwatch counts every tick that came due, so that its reading is right when a
    // pupil comes back to a page that was hidden (woken about once a second) or frozen.
    zelkor::layout::PortableWindow window{surface, zelkor::MissedTicks::CatchUp};
    zelkor::ClockRandomSource random;
    zelkor::Drill drill{window, random};
};

// Lives as long as the page: the module's runtime stays up after main returns.
std::unique_ptr<Program> program;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void zelkor_clicked(int index) { program->window.clicked(index); }
EMSCRIPTEN_KEEPALIVE void zelkor_timer_woke(int timer) { program->window.timerWoke(timer); }
EMSCRIPTEN_KEEPALIVE void zelkor_page_woke() { program->window.pageWoke(); }
EMSCRIPTEN_KEEPALIVE void zelkor_viewport(int width, int height) {
    program->window.fitTo(width, height);
}

}  // extern "C"

int main() {
    program = std::make_unique<Program>();
    program->window.attach(program->drill);
    EM_ASM({ zelkorPage.ready(); });
    return 0;
}
