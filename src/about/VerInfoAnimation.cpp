#include "about/VerInfoAnimation.h"

#include "text/Utf8Chars.h"

#include <algorithm>

namespace orvanel::about {

std::vector<AnimationStep> VerInfoSchedule(const std::array<std::string, LabelCount>& texts)
{
    std::vector<AnimationStep> steps;
    for (int label = 0; label < LabelCount; ++label) {
        for (int blink = 0; blink < 2; ++blink) {
            steps.push_back({label, {}, true, 0, BlinkDelay});
            steps.push_back({label, {}, false, 0, BlinkDelay});
        }
        const std::string& text = texts[static_cast<std::size_t>(label)];
        for (std::size_t end = 0; end < text.size();) {
            steps.push_back({label, text.substr(0, end), true, 0, TypingDelay});
            end = text::nextChar(text, end);
            steps.push_back({label, text.substr(0, end), false, 0, TypingDelay});
        }
    }
    steps.back().wait += LogoPause;
    for (int shade = BlackShade; shade >= 0; --shade)
        steps.push_back({-1, {}, false, shade, FadeDelay});
    return steps;
}

void FadeBytes(std::span<const std::uint8_t> source, std::span<std::uint8_t> shown, int shade)
{
    const int lower = 5 * shade;
    const std::size_t n = std::min(source.size(), shown.size());
    for (std::size_t i = 0; i < n; ++i)
        shown[i] = lower < source[i] ? static_cast<std::uint8_t>(source[i] - lower) : 0;
}

VerInfoAnimation::VerInfoAnimation(const std::array<std::string, LabelCount>& texts)
    : steps_(VerInfoSchedule(texts))
{
}

void VerInfoAnimation::start(Millis now)
{
    running_ = true;
    next_ = 0;
    due_ = now;
}

void VerInfoAnimation::stop()
{
    running_ = false;
    for (Line& line : lines_)
        line.cursor = false;
}

bool VerInfoAnimation::advance(Millis now)
{
    if (!running_ || now < due_)
        return false;
    if (next_ == steps_.size()) {
        running_ = false;
        return true;
    }
    const AnimationStep& step = steps_[next_++];
    if (step.label < 0)
        shade_ = step.shade;
    else
        lines_[static_cast<std::size_t>(step.label)] = {step.typed, step.cursor};
    // Each wait counts from the moment its step was shown, as a wait on the clock would.
    due_ = now + step.wait;
    return true;
}

std::optional<Millis> VerInfoAnimation::nextDue() const
{
    if (!running_)
        return std::nullopt;
    return due_;
}

std::string VerInfoAnimation::caption(int label) const
{
    const Line& line = lines_.at(static_cast<std::size_t>(label));
    return line.cursor ? line.typed + "_" : line.typed;
}

} // namespace orvanel::about
