// The X11 display: the screen in a real X window, through Xlib.
//
// The screen image is an XImage whose pixels are the layer's one screen image: in shared memory
// (MIT-SHM) when the server offers it and can attach our segment, otherwise in our own memory,
// sent with XPutImage. Fullscreen is an override-redirect window the size of the X screen;
// window mode is a normal managed window of the configured size. Presenting never waits for the
// server: requests are flushed, not synchronised. Needs a 24- or 32-bit TrueColor visual whose
// pixels are 0x00RRGGBB, which every current X server gives.
#include "display/backend.h"
#include "display/x11/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace w32::display {
namespace {

// Set by the error handler while a shared-memory attach is being tried.
bool g_attachFailed = false;
int CatchAttachError(Display*, XErrorEvent*) {
    g_attachFailed = true;
    return 0;
}

// Xlib's own handler ends the process on any protocol error; a request the server refuses
// (focus on a window that is not viewable yet, say) is reported once and the program goes on.
int ReportError(Display* display, XErrorEvent* event) {
    static bool reported = false;
    if (!reported) {
        reported = true;
        char text[128];
        XGetErrorText(display, event->error_code, text, sizeof(text));
        std::fprintf(stderr, "setup: the X server refused a request: %s\n", text);
    }
    return 0;
}

class X11Backend final : public Backend {
  public:
    ~X11Backend() override {
        if (image_) {
            if (shared_) {
                XShmDetach(display_, &shm_);
                XSync(display_, False);
            }
            image_->data = nullptr; // the pixels are ours (vector or segment), not Xlib's
            XDestroyImage(image_);
        }
        if (shared_)
            shmdt(shm_.shmaddr);
        if (gc_)
            XFreeGC(display_, gc_);
        if (window_)
            XDestroyWindow(display_, window_);
        if (display_)
            XCloseDisplay(display_);
    }

    bool Open(Mode mode, int width, int height, std::string* error) {
        const char* name = std::getenv("DISPLAY");
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            *error = std::string("cannot open X display '") + (name ? name : "") + "'";
            return false;
        }
        XSetErrorHandler(ReportError);
        int screen = DefaultScreen(display_);
        Visual* visual = DefaultVisual(display_, screen);
        int depth = DefaultDepth(display_, screen);
        if (visual->c_class != TrueColor || (depth != 24 && depth != 32) ||
            visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 ||
            visual->blue_mask != 0xFF) {
            *error = "the X display has no 24-bit TrueColor visual";
            return false;
        }
        if (mode == Mode::Fullscreen) {
            width = DisplayWidth(display_, screen);
            height = DisplayHeight(display_, screen);
        }
        width_ = width;
        height_ = height;

        XSetWindowAttributes attributes = {};
        attributes.background_pixel = BlackPixel(display_, screen);
        attributes.override_redirect = mode == Mode::Fullscreen;
        attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                                PointerMotionMask | KeyPressMask | KeyReleaseMask |
                                StructureNotifyMask;
        window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                depth, InputOutput, visual,
                                CWBackPixel | CWOverrideRedirect | CWEventMask, &attributes);
        XStoreName(display_, window_, "setup");
        XSizeHints hints = {};
        hints.flags = PMinSize | PMaxSize | PPosition;
        hints.min_width = hints.max_width = width;
        hints.min_height = hints.max_height = height;
        XSetWMNormalHints(display_, window_, &hints);
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &deleteWindow_, 1);
        gc_ = XCreateGC(display_, window_, 0, nullptr);

        if (!CreateSharedImage(visual, depth) && !CreatePlainImage(visual, depth)) {
            *error = "cannot create the screen image";
            return false;
        }
        XMapRaised(display_, window_);
        if (mode == Mode::Fullscreen)
            XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
        XFlush(display_);
        return true;
    }

    const char* Name() const override { return "x11"; }

    Pixels Screen() override {
        return {reinterpret_cast<uint32_t*>(image_->data), width_, height_,
                image_->bytes_per_line / 4};
    }

    void Present(const RECT& area) override {
        Put(area);
        XFlush(display_);
    }

    std::optional<InputEvent> NextEvent(bool wait) override {
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (std::optional<InputEvent> input = Translate(&event))
                    return input;
            }
            if (!wait)
                return std::nullopt;
            pollfd fd = {ConnectionNumber(display_), POLLIN, 0};
            if (poll(&fd, 1, -1) < 0 || (fd.revents & (POLLERR | POLLHUP)))
                return InputEvent{InputEvent::Type::Quit};
        }
    }

  private:
    bool CreateSharedImage(Visual* visual, int depth) {
        if (!XShmQueryExtension(display_))
            return false;
        image_ =
            XShmCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm_,
                            static_cast<unsigned>(width_), static_cast<unsigned>(height_));
        if (!image_)
            return false;
        shm_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height_,
                            IPC_CREAT | 0600);
        if (shm_.shmid < 0)
            return DropSharedImage();
        shm_.shmaddr = image_->data = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
        if (shm_.shmaddr == reinterpret_cast<char*>(-1)) {
            shmctl(shm_.shmid, IPC_RMID, nullptr);
            return DropSharedImage();
        }
        shm_.readOnly = False;
        // A remote server cannot attach our segment; the error arrives asynchronously.
        g_attachFailed = false;
        XErrorHandler previous = XSetErrorHandler(CatchAttachError);
        XShmAttach(display_, &shm_);
        XSync(display_, False);
        XSetErrorHandler(previous);
        shmctl(shm_.shmid, IPC_RMID, nullptr); // freed once both sides detach
        if (g_attachFailed) {
            shmdt(shm_.shmaddr);
            return DropSharedImage();
        }
        shared_ = true;
        return true;
    }

    bool DropSharedImage() {
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }

    bool CreatePlainImage(Visual* visual, int depth) {
        plain_.assign(static_cast<size_t>(width_) * height_, 0);
        image_ = XCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                              reinterpret_cast<char*>(plain_.data()), static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), 32, width_ * 4);
        return image_ != nullptr;
    }

    void Put(const RECT& area) {
        int left = std::max(0, static_cast<int>(area.left));
        int top = std::max(0, static_cast<int>(area.top));
        int right = std::min(width_, static_cast<int>(area.right));
        int bottom = std::min(height_, static_cast<int>(area.bottom));
        if (left >= right || top >= bottom)
            return;
        auto w = static_cast<unsigned>(right - left), h = static_cast<unsigned>(bottom - top);
        if (shared_)
            XShmPutImage(display_, window_, gc_, image_, left, top, left, top, w, h, False);
        else
            XPutImage(display_, window_, gc_, image_, left, top, left, top, w, h);
    }

    std::optional<InputEvent> Translate(XEvent* event) {
        InputEvent input;
        switch (event->type) {
        case Expose: {
            const XExposeEvent& e = event->xexpose;
            Present(RECT{e.x, e.y, e.x + e.width, e.y + e.height});
            return std::nullopt;
        }
        case ButtonPress:
        case ButtonRelease:
            if (event->xbutton.button < 1 || event->xbutton.button > 3)
                return std::nullopt;
            input.type = event->type == ButtonPress ? InputEvent::Type::ButtonDown
                                                    : InputEvent::Type::ButtonUp;
            input.button = static_cast<int>(event->xbutton.button);
            input.x = event->xbutton.x;
            input.y = event->xbutton.y;
            input.shift = event->xbutton.state & ShiftMask;
            input.control = event->xbutton.state & ControlMask;
            return input;
        case MotionNotify:
            input.type = InputEvent::Type::MouseMove;
            input.x = event->xmotion.x;
            input.y = event->xmotion.y;
            return input;
        case KeyPress:
        case KeyRelease:
            input.type =
                event->type == KeyPress ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
            if (!TranslateKey(&event->xkey, &input))
                return std::nullopt;
            return input;
        case ClientMessage:
            if (static_cast<Atom>(event->xclient.data.l[0]) == deleteWindow_)
                return InputEvent{InputEvent::Type::Quit};
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    GC gc_ = nullptr;
    Atom deleteWindow_ = 0;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_ = {};
    bool shared_ = false;
    std::vector<uint32_t> plain_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace

std::unique_ptr<Backend> OpenX11(Mode mode, int width, int height, std::string* error) {
    auto backend = std::make_unique<X11Backend>();
    if (!backend->Open(mode, width, height, error))
        return nullptr;
    return backend;
}

} // namespace w32::display
