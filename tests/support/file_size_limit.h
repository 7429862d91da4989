#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>

namespace korva::test {

// While it lives, no file that this process writes grows past `bytes`: a write beyond fails
// with EFBIG, as on a full disk, for root too. SIGXFSZ is ignored meanwhile, so that such a
// write does not end the process. Both come back as they were.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ignoring_ = sigaction(SIGXFSZ, &ignore, &previousAction_) == 0;
        limited_ = getrlimit(RLIMIT_FSIZE, &previous_) == 0;
        if (ignoring_ && limited_) {
            rlimit limit = previous_;
            limit.rlim_cur = std::min(bytes, previous_.rlim_max);
            limited_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
        if (!ignoring_ || !limited_) ADD_FAILURE() << "the file size cannot be limited";
    }
    ~FileSizeLimit() {
        if (limited_) setrlimit(RLIMIT_FSIZE, &previous_);
        if (ignoring_) sigaction(SIGXFSZ, &previousAction_, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    struct sigaction previousAction_ {};
    rlimit previous_{};
    bool ignoring_ = false, limited_ = false;
};

}  // namespace korva::test
