// The one time limit of a whole tavrelctl command: the wait for another tavrelctl, the
// waits for the monitor's lock and the wait for its answer all draw on it, so a
// command never takes longer than --timeout in all.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace tavrel::ctl {

class Deadline {
public:
    // seconds is finite and not negative (the command line sees to it).
    explicit Deadline(double seconds)
        : end_(std::chrono::steady_clock::now() +
               std::chrono::milliseconds(static_cast<int64_t>(std::min(seconds, kLongestSeconds) * 1000.0 + 0.999))) {}

    // Milliseconds left, 0 once it has passed; below the Win32 "no limit" value.
    uint32_t RemainingMs() const {
        using std::chrono::milliseconds;
        const auto left = std::chrono::duration_cast<milliseconds>(end_ - std::chrono::steady_clock::now());
        return static_cast<uint32_t>(std::clamp<int64_t>(left.count(), 0, kLongestMs));
    }

private:
    static constexpr double kLongestSeconds = 3.6e6;  // a thousand hours
    static constexpr int64_t kLongestMs = 0xFFFFFFFEll;

    std::chrono::steady_clock::time_point end_;
};

}  // namespace tavrel::ctl
