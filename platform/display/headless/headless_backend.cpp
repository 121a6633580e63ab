// The headless display: the screen image lives in memory and nothing is shown.
//
// It exists so the whole program runs, paints and takes input where no X server is reachable:
// in tests, in CI and on machines without a desktop. Presenting does nothing, and it delivers no
// input of its own; input comes from an input script, which the window manager plays.
#include "display/backend.h"

#include <sys/mman.h>

#include <cstddef>

namespace w32::display {
namespace {

// Fresh pages cost about 2 ms per MB here, mostly in page faults: the image is mapped in 2 MB
// steps and offered to the kernel for huge pages, which take one fault each instead of 512.
constexpr size_t kHugePage = size_t{2} << 20;

class HeadlessBackend final : public Backend {
  public:
    HeadlessBackend(int width, int height, uint32_t* pixels, size_t bytes)
        : width_(width), height_(height), pixels_(pixels), bytes_(bytes) {}
    ~HeadlessBackend() override { munmap(pixels_, bytes_); }
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    const char* Name() const override { return "headless"; }
    Pixels Screen() override { return {pixels_, width_, height_, width_}; }
    void Present(const RECT&) override {}
    std::optional<InputEvent> NextEvent(bool) override { return std::nullopt; }

  private:
    int width_;
    int height_;
    uint32_t* pixels_; // zero-filled by the kernel: black
    size_t bytes_;
};

} // namespace

std::unique_ptr<Backend> OpenHeadless(int width, int height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    size_t bytes = (static_cast<size_t>(width) * height * sizeof(uint32_t) + kHugePage - 1) /
                   kHugePage * kHugePage;
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    madvise(memory, bytes, MADV_HUGEPAGE);
    return std::make_unique<HeadlessBackend>(width, height, static_cast<uint32_t*>(memory), bytes);
}

} // namespace w32::display
