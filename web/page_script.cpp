#include "page_script.h"

#include <emscripten.h>

EM_JS(void, showEnd, (), { Module.worldEnded(); });
EM_JS(void, showSteps, (long steps), { Module.worldStepped(steps); });
EM_JS(void, showRunning, (bool running), { Module.worldRunning(running); });
EM_JS(void, showFailure, (const char* text), { Module.worldFailed(UTF8ToString(text)); });
EM_JS(void, showFrames, (long drawn, bool due), { Module.worldFrames(drawn, due); });
EM_JS(void, markStartUp, (const char* stage), {
    performance.mark("world: " + UTF8ToString(stage));
});
EM_JS(bool, canvasFocused, (), { return document.activeElement === Module.canvas; });
