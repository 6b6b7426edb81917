#include "platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

void prepareStandardStreams() {
    // In text mode every line would end in CR LF, unlike everywhere else.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool displayIsNamed() { return true; }

bool nobodyReads(int error) {
    // Standard output may name nothing (EBADF): started without one, or with
    // it closed. The C library calls a pipe whose reader has gone "invalid
    // argument"; the system's own error tells.
    return error == EPIPE || error == EBADF || _doserrno == ERROR_BROKEN_PIPE ||
           _doserrno == ERROR_NO_DATA || _doserrno == ERROR_PIPE_NOT_CONNECTED;
}

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
#ifdef __APPLE__
    return true;  // the toolkit draws without X there
#else
    const char* display = std::getenv("DISPLAY");
    return display && *display;
#endif
}

bool nobodyReads(int error) { return error == EPIPE; }
#endif
