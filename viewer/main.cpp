#include <FL/Fl.H>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "exit_status.h"
#include "platform.h"
#include "viewer_window.h"
#include "write_error.h"

namespace {

void sayInTheProgramsName(const char* format, va_list args) {
    std::fputs("world: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
}

// The toolkit's warnings and errors, such as a list of its options after an
// unknown one.
void reportToolkitMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    sayInTheProgramsName(format, args);
    va_end(args);
}

// The toolkit gives up, for example when the display refuses it or goes away.
[[noreturn]] void reportToolkitFailure(const char* format, ...) {
    va_list args;
    va_start(args, format);
    sayInTheProgramsName(format, args);
    va_end(args);
    std::exit(kNoDisplayStatus);
}

// Applies every option the toolkit knows. Each one it does not know is named
// and skipped, and the list of the toolkit's options follows, once.
void readOptions(int argc, char** argv) {
    bool unknown = false;
    for (int i = 1; i < argc;) {
        // Fl::arg moves i past what it takes.
        if (Fl::arg(argc, argv, i)) continue;
        std::fprintf(stderr, "world: unknown option: %s\n", argv[i]);
        unknown = true;
        ++i;
    }
    if (unknown) Fl::error("options are:\n%s", Fl::help);
}

}  // namespace

int main(int argc, char** argv) {
    prepareStandardStreams();
    Fl::warning = reportToolkitMessage;
    Fl::error = reportToolkitMessage;
    Fl::fatal = reportToolkitFailure;
    // Before anything opens the display, so that -display can name it.
    readOptions(argc, argv);
    if (!displayIsNamed()) {
        // Without it the toolkit would only say that it cannot open "".
        std::fprintf(stderr, "world: no display: DISPLAY is not set and no -display given\n");
        return kNoDisplayStatus;
    }
    // Opens the display: if that fails, the toolkit reports it and exits.
    Fl::visual(FL_RGB);
    ViewerWindow* window;
    try {
        window = new ViewerWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "world: out of memory while building the lattice\n");
        return kOutOfMemoryStatus;
    }
    // Applies the options read above.
    window->show(argc, argv);
    if (!window->shown()) {
        // The toolkit has said why, typically a display without OpenGL. The
        // event loop would return 0 at once, reporting success.
        std::fprintf(stderr, "world: cannot show the window\n");
        return kNoDisplayStatus;
    }
    Fl::add_timeout(0.0, timerTick, window);
    const int status = Fl::run();
    // Closing the window must not report success when lines were lost.
    return status == kClosedStatus && window->linesLost ? kLinesLostStatus : status;
}
