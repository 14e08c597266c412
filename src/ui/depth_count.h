// A nesting depth held up while a scope runs: handlers under way, native state being set.
#pragma once

namespace ui {

// One more on the counter while it lives.
class DepthCount {
public:
    explicit DepthCount(int& depth) : depth_(depth) { ++depth_; }
    ~DepthCount() { --depth_; }
    DepthCount(const DepthCount&) = delete;
    DepthCount& operator=(const DepthCount&) = delete;

private:
    int& depth_;
};

}  // namespace ui
