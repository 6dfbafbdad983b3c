#pragma once
// The version window's animation. Each of the four lines in turn gets a blinking underscore
// cursor (twice on, twice off) and is then typed in character by character, the cursor
// running ahead of the text; after a pause the logo fades in from black over 101 frames.
// The animation is a list of steps, each the state of one line or of the logo followed by
// a wait; a step runs when the wait after the one before has passed on the clock, so the
// window's event loop keeps running and a stop takes effect at once.

#include "about/AnimationClock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvanel::about {

constexpr int LabelCount = 4;
constexpr Millis BlinkDelay{200};
constexpr Millis TypingDelay{20};
constexpr Millis LogoPause{180};
constexpr Millis FadeDelay{10};
// The logo's frames run from shade 100 (black) down to 0 (the picture as designed).
constexpr int BlackShade = 100;

// One step: a line's caption (the text typed so far, with or without the cursor) or a
// frame of the logo, and the wait before the next step.
struct AnimationStep {
    int label = -1; // 0..3 for a line; -1 for a logo frame
    std::string typed;
    bool cursor = false;
    int shade = 0; // logo frame: every colour byte lowered by 5 times this, down to 0
    Millis wait{0};
};

// The steps for the four full texts, in order. Typing counts characters: a caption never
// ends inside a UTF-8 character.
std::vector<AnimationStep> VerInfoSchedule(const std::array<std::string, LabelCount>& texts);

// The logo at `shade`: each byte of `source` lowered by 5·shade, 0 when that is not above
// it. `shown` has the size of `source`.
void FadeBytes(std::span<const std::uint8_t> source, std::span<std::uint8_t> shown, int shade);

class VerInfoAnimation {
public:
    explicit VerInfoAnimation(const std::array<std::string, LabelCount>& texts);

    // FormActivate: runs the animation from its first step, due at once. Captions and the
    // logo keep what they show until their steps come.
    void start(Millis now);
    // OkBtnClick: the animation stops now; the line being typed keeps its text without
    // the cursor, the rest stays as it is.
    void stop();
    // Runs the next step when it is due at `now`, or ends the animation after its last
    // wait; true when something changed.
    bool advance(Millis now);
    // When advance() has something to do next; nullopt when the animation is not running.
    std::optional<Millis> nextDue() const;

    bool AnimationRunning() const { return running_; }
    // What a line shows: the text typed so far, followed by "_" while the cursor is there.
    std::string caption(int label) const;
    int logoShade() const { return shade_; }

private:
    struct Line {
        std::string typed;
        bool cursor = false;
    };
    std::vector<AnimationStep> steps_;
    std::array<Line, LabelCount> lines_{};
    int shade_ = BlackShade;
    std::size_t next_ = 0;
    Millis due_{0};
    bool running_ = false;
};

} // namespace orvanel::about
