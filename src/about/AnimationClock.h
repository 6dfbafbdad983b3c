#pragma once
// The clock that paces the version window's animation. The animation only ever asks for
// the time; the real one is the system's monotonic clock, and tests give one that runs fast.

#include <chrono>

namespace orvanel::about {

using Millis = std::chrono::milliseconds;

class AnimationClock {
public:
    virtual ~AnimationClock() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual Millis now() = 0;
};

class SteadyAnimationClock final : public AnimationClock {
public:
    Millis now() override
    {
        return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
    }
};

} // namespace orvanel::about
