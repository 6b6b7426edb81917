#pragma once

#include <cerrno>
#include <cstdio>

#include "platform.h"

// Runs `write`, which writes to `stream`, and returns the error the stream
// met: 0 for none, and where nobody reads the lines, which then go nowhere by
// design. Clears the stream's error, so each call sees its own writes.
template <typename Write>
int writeErrorOf(std::FILE* stream, Write write) {
    errno = 0;
    write();
    const int error = errno;
    if (!std::ferror(stream)) return 0;
    std::clearerr(stream);
    if (nobodyReads(error)) return 0;
    return error ? error : EIO;
}
