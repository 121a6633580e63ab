// Starts a program and reports the milliseconds until a screen point shows a colour: the time
// from start to the first frame that reaches the X server. Stops the program afterwards.
// Usage: frame_probe X Y RRGGBB TIMEOUT_MS PROGRAM [ARGS...]   (DISPLAY names the server)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: frame_probe X Y RRGGBB TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    unsigned long want = std::strtoul(argv[3], nullptr, 16);
    int timeoutMs = std::atoi(argv[4]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "frame_probe: cannot open the X display\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[5], nullptr, nullptr, argv + 5, environ) != 0) {
        std::fprintf(stderr, "frame_probe: cannot start %s\n", argv[5]);
        return 2;
    }
    double elapsed = -1;
    for (;;) {
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0;
        if (image)
            XDestroyImage(image);
        double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (pixel == want) {
            elapsed = ms;
            break;
        }
        if (ms > timeoutMs)
            break;
        usleep(200);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (elapsed < 0) {
        std::fprintf(stderr, "frame_probe: no frame within %d ms\n", timeoutMs);
        return 1;
    }
    std::printf("%.2f\n", elapsed);
    return 0;
}
