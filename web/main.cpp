#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "initial_state.h"
#include "page_script.h"
#include "world_page.h"

namespace {

// A browser with WebGL switched off may not define its types at all, and
// asking it for a context then throws instead of failing.
EM_JS(bool, webGlOffered, (), { return typeof WebGLRenderingContext !== "undefined"; });

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE makeContext() {
    if (!webGlOffered()) return 0;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    // Multisampling would soften the points' edges: a point is a square.
    attributes.antialias = EM_FALSE;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    for (int version : {2, 1}) {
        attributes.majorVersion = version;
        context = emscripten_webgl_create_context("#canvas", &attributes);
        if (context > 0) break;
    }
    return context;
}

// Each stage of the start-up runs in tasks of its own, so that the page
// draws its controls and takes input between them.
struct StartUp {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context;
    std::unique_ptr<Volume> volume;
};

// A task's share of building the lattice: short enough that input waits
// for none of them, on a phone too.
constexpr double kSliceMs = 10;

void startPage(void* data) {
    std::unique_ptr<StartUp> startUp(static_cast<StartUp*>(data));
    // Lives as long as the page, as does the lattice.
    auto* page = new WorldPage(startUp->volume.release(), startUp->context);
    if (!page->start()) {
        showFailure("World could not set up WebGL on this page.");
        return;
    }
    markStartUp("the scene made and the rasterizer probed");
}

// Adds planes for a slice of time, then goes on in the next task.
void buildLattice(void* data) {
    auto* startUp = static_cast<StartUp*>(data);
    const double end = emscripten_get_now() + kSliceMs;
    try {
        bool more = true;
        while (more && emscripten_get_now() < end) more = startUp->volume->addPlane(kLinkScale);
        if (more) {
            emscripten_set_timeout(buildLattice, 0, startUp);
            return;
        }
        seedInitialSource(*startUp->volume);
    } catch (const std::bad_alloc&) {
        delete startUp;
        showFailure("World ran out of memory while building the lattice.");
        return;
    }
    markStartUp("the lattice built");
    emscripten_set_timeout(startPage, 0, startUp);
}

}  // namespace

int main() {
    markStartUp("the program started");
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = makeContext();
    if (context <= 0) {
        showFailure("World needs WebGL, which this browser does not offer.");
        return EXIT_FAILURE;
    }
    emscripten_set_timeout(buildLattice, 0, new StartUp{context, std::make_unique<Volume>(kTau)});
    return EXIT_SUCCESS;
}
