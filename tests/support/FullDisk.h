// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef Q_OS_WIN
// Windows has no file size limit to set; the tests that use it are skipped there.
struct FullDisk {
    explicit FullDisk(qint64) {}
};
#else
#include <csignal>
#include <sys/resource.h>

// Writes past the first bytes of a file fail while this lives, as they would on a full disk.
struct FullDisk {
    explicit FullDisk(rlim_t bytes = 64)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN); // the write is to fail, not to end the process
        const rlimit small{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};
#endif
