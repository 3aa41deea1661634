#pragma once

// A write that runs out of room half-way, as on a full disk: while a FileSizeLimit
// lives, the process may not write a file past `bytes`, and the write fails there
// (SIGXFSZ ignored) instead of killing the test.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ok = getrlimit(RLIMIT_FSIZE, &before) == 0;
        rlimit limited = before;
        limited.rlim_cur = bytes;
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ok = ok && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok = false;

private:
    rlimit before{};
    void (*oldHandler)(int) = nullptr;
};
