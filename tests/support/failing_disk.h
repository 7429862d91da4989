#pragma once

// The folders in which the failing-disk library (failing_disk.cpp), while it is preloaded,
// makes files fail late, as a network file system or a quota does: a file that lies inside
// a folder whose name holds a marker fails its sync (fsync, fdatasync), or its close, with
// EIO. Plain C++: the library includes it too.
namespace korva::test {

enum class DiskFault { SyncFails, CloseFails };

inline constexpr const char* marker(DiskFault fault) {
    return fault == DiskFault::SyncFails ? "sync-fails-with-EIO" : "close-fails-with-EIO";
}

}  // namespace korva::test
