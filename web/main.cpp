#include <emscripten.h>
#include <emscripten/html5.h>

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

}  // namespace

int main() {
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = makeContext();
    if (context <= 0) {
        showFailure("World needs WebGL, which this browser does not offer.");
        return 1;
    }
    emscripten_webgl_make_context_current(context);
    Volume* volume;
    try {
        // Lives as long as the page.
        volume = makeInitialVolume().release();
    } catch (const std::bad_alloc&) {
        showFailure("World ran out of memory while building the lattice.");
        return 2;
    }
    auto* page = new WorldPage(volume, context);
    if (!page->start()) {
        showFailure("World could not set up WebGL on this page.");
        return 1;
    }
    return 0;
}
