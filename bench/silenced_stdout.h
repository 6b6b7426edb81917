#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

// Sends the steps' diagnostic lines to /dev/null while it lives, keeping the
// benchmark's own report on standard output.
class SilencedStdout {
public:
    SilencedStdout() : saved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int sink = open("/dev/null", O_WRONLY);
        dup2(sink, STDOUT_FILENO);
        close(sink);
    }
    ~SilencedStdout() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    SilencedStdout(const SilencedStdout&) = delete;
    SilencedStdout& operator=(const SilencedStdout&) = delete;

private:
    int saved;
};
