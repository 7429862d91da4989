// Preloaded into a test program, this library fails the sync or the close of the files in
// the folders marked for it (failing_disk.h); every other call goes through unchanged. The
// markers are fixed when it is built: nothing is read from the environment during a call,
// since Qt's own threads close files all the time.

#include "tests/support/failing_disk.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

using korva::test::DiskFault;

template <class Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

// Whether the file open on `fd` lies inside a folder marked for `fault`. Leaves errno as it
// was.
bool failsWith(int fd, DiskFault fault) {
    if (fd < 0) return false;
    const int saved = errno;
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    const ssize_t length = readlink(link, path, sizeof path - 1);
    errno = saved;
    if (length <= 0) return false;
    path[length] = '\0';
    char* name = std::strrchr(path, '/');
    if (!name) return false;
    *name = '\0';  // the folder it lies in, and the folders above
    return std::strstr(path, korva::test::marker(fault)) != nullptr;
}

int failed() {
    errno = EIO;
    return -1;
}

}  // namespace

extern "C" {

int fsync(int fd) {
    static auto* const real = next<int(int)>("fsync");
    return failsWith(fd, DiskFault::SyncFails) ? failed() : real(fd);
}

int fdatasync(int fd) {
    static auto* const real = next<int(int)>("fdatasync");
    return failsWith(fd, DiskFault::SyncFails) ? failed() : real(fd);
}

// As Linux does, the descriptor is closed whatever close reports.
int close(int fd) {
    static auto* const real = next<int(int)>("close");
    const bool fails = failsWith(fd, DiskFault::CloseFails);
    const int result = real(fd);
    return fails && result == 0 ? failed() : result;
}
}
