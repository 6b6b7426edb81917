#include "platform.h"

#include <cstdlib>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>

void prepareStandardStreams() {
    // In text mode every line would end in CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
}

bool displayIsNamed() { return true; }

#else
#include <fcntl.h>

#include <csignal>

void prepareStandardStreams() {
    // A closed standard stream would hand its number to the next file opened,
    // the display connection among them, and the steps' lines would be
    // written into that. Opened in order, /dev/null takes the number that is
    // missing.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1) open("/dev/null", O_RDWR);
    }
    // A reader that goes away must not end the window; the steps' lines then
    // go nowhere.
    std::signal(SIGPIPE, SIG_IGN);
}

bool displayIsNamed() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}
#endif
