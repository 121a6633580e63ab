// The headless display: the screen image lives in memory and nothing is shown.
//
// It exists so the whole program runs, paints and takes input where no X server is reachable:
// in tests, in CI and on machines without a desktop. Presenting does nothing, and it delivers no
// input of its own; input comes from an input script, which the window manager plays.
#include "display/backend.h"

#include <vector>

namespace w32::display {
namespace {

class HeadlessBackend final : public Backend {
  public:
    HeadlessBackend(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

    const char* Name() const override { return "headless"; }
    Pixels Screen() override { return {pixels_.data(), width_, height_, width_}; }
    void Present(const RECT&) override {}
    std::optional<InputEvent> NextEvent(bool) override { return std::nullopt; }

  private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

} // namespace

std::unique_ptr<Backend> OpenHeadless(int width, int height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    return std::make_unique<HeadlessBackend>(width, height);
}

} // namespace w32::display
