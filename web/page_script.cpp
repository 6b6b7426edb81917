#include "page_script.h"

#include <emscripten.h>

EM_JS(void, showEnd, (), { Module.worldEnded(); });
EM_JS(void, showReached, (long step, long green, long infinite, long nan, float largestFinite), {
    Module.worldReached(step, green, infinite, nan, largestFinite < 0 ? NaN : largestFinite);
});
EM_JS(void, showStep, (long shown, long furthest, const char* summary, long first, long last), {
    Module.worldShowing(shown, furthest, UTF8ToString(summary), first, last);
});
EM_JS(void, listenToTimeControls, (void* page, long sites), {
    Module.worldListen(function(step) { Module._worldGoTo(page, step); },
                       function(speed) { Module._worldSetSpeed(page, speed); }, sites);
});
EM_JS(void, showRunning, (bool running), { Module.worldRunning(running); });
EM_JS(void, showFailure, (const char* text), { Module.worldFailed(UTF8ToString(text)); });
EM_JS(void, showFrames, (long drawn, bool due), { Module.worldFrames(drawn, due); });
EM_JS(void, markStartUp, (const char* stage), {
    performance.mark("world: " + UTF8ToString(stage));
});
EM_JS(bool, canvasFocused, (), { return document.activeElement === Module.canvas; });
EM_JS(bool, textFieldFocused, (), {
    const focused = document.activeElement;
    if (!focused) return false;
    if (focused.isContentEditable || focused.tagName === "TEXTAREA") return true;
    return focused.tagName === "INPUT" &&
           !["button", "checkbox", "radio", "range", "reset", "submit"].includes(focused.type);
});
