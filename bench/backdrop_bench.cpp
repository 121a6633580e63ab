// The backdrop's full paint against a plain 32-bit fill of the same pixels, and the keyed
// painter on a 600 x 50 logo with and without the dissolve, through the real layer (headless).
#include "backdrop/backdrop.h"
#include "backdrop/keyed_bitmap.h"
#include "display/display.h"
#include "gdi/screen.h"
#include "launch/setup_state.h"
#include "user/testing.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

void OpenScreen(int width, int height) {
    w32::user::ResetForTesting();
    w32::display::Install(w32::display::OpenHeadless(width, height));
    State = SetupState{};
    State.Instance = GetModuleHandleA(nullptr);
    State.ScreenWidth = (short)width;
    State.ScreenHeight = (short)height;
    lstrcpynA(State.ProductName, "Tavro Viewer", sizeof(State.ProductName));
}

void BM_BackdropPaint(benchmark::State& state) {
    OpenScreen(int(state.range(0)), int(state.range(1)));
    CreateBackdrop();
    for (auto _ : state) {
        InvalidateRect(State.Backdrop, nullptr, FALSE);
        UpdateWindow(State.Backdrop);
    }
    DestroyWindow(State.Backdrop);
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_PlainFill(benchmark::State& state) {
    OpenScreen(int(state.range(0)), int(state.range(1)));
    w32::display::Pixels screen = w32::gdi::ScreenPixels();
    uint32_t color = 0;
    for (auto _ : state) {
        for (int y = 0; y < screen.height; ++y)
            std::fill_n(screen.data + y * screen.stride, screen.width, ++color);
        benchmark::DoNotOptimize(screen.data);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

BENCHMARK(BM_BackdropPaint)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFill)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

int g_Dissolve = 0;

LRESULT CALLBACK LogoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    POINT at = {20, 20};
    DrawKeyedBitmap(dc, 308, &at, g_Dissolve); // not 307: the backdrop paints stay logo-free
    EndPaint(window, &paint);
    return 0;
}

void BM_DrawKeyedBitmap(benchmark::State& state) {
    OpenScreen(1024, 768);
    WNDCLASSA cls = {};
    cls.lpfnWndProc = LogoProc;
    cls.hInstance = State.Instance;
    cls.lpszClassName = "LogoBench";
    RegisterClassA(&cls);
    HWND window = CreateWindowExA(0, "LogoBench", "", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768,
                                  nullptr, nullptr, State.Instance, nullptr);
    g_Dissolve = int(state.range(0));
    for (auto _ : state) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    DestroyWindow(window);
    state.counters["ns_per_pixel"] =
        benchmark::Counter(double(state.iterations()) * 600 * 50,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_DrawKeyedBitmap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
