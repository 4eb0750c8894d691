#pragma once
// Status text and message pumping for long work on the user-interface thread.

#include <chrono>
#include <string_view>

namespace orvane {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void status(std::string_view text) = 0;
    // Lets the window repaint and handle input. Throttled: does real work at most once per
    // interval, however often it is called.
    void pump()
    {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPump_ < interval_)
            return;
        lastPump_ = now;
        doPump();
    }
    void setPumpInterval(std::chrono::milliseconds interval) { interval_ = interval; }

protected:
    virtual void doPump() {}

private:
    std::chrono::steady_clock::time_point lastPump_{};
    std::chrono::milliseconds interval_{8};
};

// Progress that goes nowhere, for engines run without a window.
class NullProgress : public Progress {
public:
    void status(std::string_view) override {}
};

} // namespace orvane
