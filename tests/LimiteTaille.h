#pragma once
// Limits the size of files this process may write, for one scope: a full disk without a full
// disk. SIGXFSZ is ignored so that the write fails with EFBIG instead of ending the test run.
#include <csignal>
#include <sys/resource.h>

namespace vuv::test {

class LimiteTaille {
public:
    explicit LimiteTaille(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = avant_;
        r.rlim_cur = octets;
        pose_ = setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~LimiteTaille() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }
    LimiteTaille(const LimiteTaille&) = delete;
    LimiteTaille& operator=(const LimiteTaille&) = delete;
    bool posee() const { return pose_; } // the limit is in force

private:
    rlimit avant_{};
    void (*signal_)(int) = nullptr;
    bool pose_ = false;
};

} // namespace vuv::test
