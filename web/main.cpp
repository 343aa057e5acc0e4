// The drill in a browser page: the window, its random source and the drill, made once
// the page's module has loaded, and the page's events handed to the window. The page
// keeps its own look: there is no skin call here.
#include <emscripten.h>

#include <memory>

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"

namespace {

struct Program {
    zelkor::web::DrillWindow window;
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
    program->window.fitViewport(width, height);
}

}  // extern "C"

int main() {
    program = std::make_unique<Program>();
    program->window.attach(program->drill);
    EM_ASM({ zelkorPage.ready(); });
    return 0;
}
