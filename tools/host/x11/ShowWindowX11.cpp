// `show` on Linux: a top-level X11 window whose client area holds the plug-in's view, the host's
// run loop the view's editor lives on, scripted input through the XTest extension and the window's
// pixels read back with XGetImage.
#include "tools/host/ShowWindow.h"

#include "raster/MemBitmap.h"
#include "tools/host/x11/PollRunLoop.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <X11/XKBlib.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace quilhost {
namespace {

// Two presses this far apart make a double click for every usual setting.
constexpr int kDoubleClickGapMs = 30;

KeySym keysymOf(const ShowEvent& event) {
    switch (event.key) {
    case ShowKey::Return: return XK_Return;
    case ShowKey::Escape: return XK_Escape;
    case ShowKey::Tab: return XK_Tab;
    case ShowKey::Backspace: return XK_BackSpace;
    case ShowKey::Delete: return XK_Delete;
    case ShowKey::Left: return XK_Left;
    case ShowKey::Right: return XK_Right;
    case ShowKey::Up: return XK_Up;
    case ShowKey::Down: return XK_Down;
    case ShowKey::Character: break;
    }
    // Latin-1 characters have the same number as keysyms.
    return static_cast<KeySym>(static_cast<unsigned char>(event.character));
}

// Our own connection's events, handed over by the run loop when they arrive.
class ConnectionWatch : public vst3::FObject, public vst3::Linux::IEventHandler {
public:
    explicit ConnectionWatch(std::function<void()> onReady) : mOnReady(std::move(onReady)) {}
    void PLUGIN_API onFDIsSet(vst3::Linux::FileDescriptor) override { mOnReady(); }
    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override {
        if (obj && vst3::answerInterface<vst3::Linux::IEventHandler>(this, iidBytes, obj)) return vst3::kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    std::function<void()> mOnReady;
};

class ShowWindowX11 : public ShowWindow {
public:
    ShowWindowX11(Display* display, Display* input) : mDisplay(display), mInput(input) {}
    ~ShowWindowX11() override {
        if (mWatch) {
            mLoop->unregisterEventHandler(mWatch);
            mWatch->release();
        }
        mLoop->release();
        if (mWindow) XDestroyWindow(mDisplay, mWindow);
        XCloseDisplay(mDisplay);
        XCloseDisplay(mInput);
    }

    bool open(int width, int height, const std::string& title, std::string& error) {
        const int screen = DefaultScreen(mDisplay);
        XSetWindowAttributes attributes{};
        attributes.background_pixel = kShowBackground & 0xFFFFFFu;
        attributes.event_mask = StructureNotifyMask;
        mWindow = XCreateWindow(mDisplay, RootWindow(mDisplay, screen), 0, 0, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                CWBackPixel | CWEventMask, &attributes);
        if (!mWindow) {
            error = "cannot create a window";
            return false;
        }
        XStoreName(mDisplay, mWindow, title.c_str());
        mDeleteAtom = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(mDisplay, mWindow, &mDeleteAtom, 1);
        XSizeHints hints{};
        hints.flags = PMinSize | PMaxSize;
        hints.min_width = hints.max_width = width;
        hints.min_height = hints.max_height = height;
        XSetWMNormalHints(mDisplay, mWindow, &hints);
        XMapRaised(mDisplay, mWindow);
        // Shown and cleared to the background before anyone looks at it.
        XEvent event;
        do {
            XWindowEvent(mDisplay, mWindow, StructureNotifyMask, &event);
        } while (event.type != MapNotify);
        XClearWindow(mDisplay, mWindow);
        XSync(mDisplay, False);
        mWatch = new ConnectionWatch([this] { handleOwnEvents(); });
        mLoop->registerEventHandler(mWatch, ConnectionNumber(mDisplay));
        return true;
    }

    void* nativeHandle() override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(mWindow)); }
    const char* platformType() const override { return "X11EmbedWindowID"; }

    bool pump(int ms) override {
        handleOwnEvents();
        if (ms <= 0)
            mLoop->runOnce(0);
        else
            mLoop->runFor(ms);
        handleOwnEvents();
        return !mClosed;
    }

    bool inject(const ShowEvent& event, std::string& error) override {
        if (event.kind == ShowEventKind::Key) return typeKey(event, error);
        int rootX = 0, rootY = 0;
        Window child = 0;
        if (!XTranslateCoordinates(mInput, mWindow, DefaultRootWindow(mInput), event.x, event.y, &rootX, &rootY,
                                   &child)) {
            error = "the window is gone";
            return false;
        }
        holdModifiers(event.modifiers, true);
        XTestFakeMotionEvent(mInput, DefaultScreen(mInput), rootX, rootY, CurrentTime);
        switch (event.kind) {
        case ShowEventKind::Down: button(Button1, true); break;
        case ShowEventKind::Up: button(Button1, false); break;
        case ShowEventKind::RightDown: button(Button3, true); break;
        case ShowEventKind::RightUp: button(Button3, false); break;
        case ShowEventKind::DoubleClick:
            for (int i = 0; i < 2; ++i) {
                button(Button1, true);
                button(Button1, false);
                if (i == 0) std::this_thread::sleep_for(std::chrono::milliseconds(kDoubleClickGapMs));
            }
            break;
        case ShowEventKind::Wheel:
            for (int i = 0; i < (event.notches < 0 ? -event.notches : event.notches); ++i) {
                button(event.notches > 0 ? Button4 : Button5, true);
                button(event.notches > 0 ? Button4 : Button5, false);
            }
            break;
        default: break;
        }
        holdModifiers(event.modifiers, false);
        XSync(mInput, False);
        return true;
    }

    bool capture(Raster_MemBitmap& pixels) override {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(mDisplay, mWindow, &attributes)) return false;
        // The view's window inside ours is part of what ours shows.
        XImage* image = XGetImage(mDisplay, mWindow, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (!image) return false;
        pixels.SetSize(attributes.width, attributes.height);
        const bool ok = pixels.PixelData() != nullptr;
        for (int y = 0; ok && y < attributes.height; ++y) {
            std::uint32_t* row = pixels.PixelData() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.RowPixels());
            for (int x = 0; x < attributes.width; ++x)
                row[x] = 0xFF000000u | static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFu);
        }
        XDestroyImage(image);
        return ok;
    }

    bool resizeClient(int width, int height) override {
        if (width <= 0 || height <= 0) return false;
        XSizeHints hints{};
        hints.flags = PMinSize | PMaxSize;
        hints.min_width = hints.max_width = width;
        hints.min_height = hints.max_height = height;
        XSetWMNormalHints(mDisplay, mWindow, &hints);
        XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XSync(mDisplay, False);
        return true;
    }

    bool queryInterface(const vst3::TUID iid, void** obj) override {
        return mLoop->queryInterface(iid, obj) == vst3::kResultOk;
    }

private:
    void handleOwnEvents() {
        while (XPending(mDisplay)) {
            XEvent event;
            XNextEvent(mDisplay, &event);
            if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == mDeleteAtom) mClosed = true;
            if (event.type == DestroyNotify && event.xdestroywindow.window == mWindow) mClosed = true;
        }
    }

    void button(unsigned which, bool down) { XTestFakeButtonEvent(mInput, which, down ? True : False, CurrentTime); }

    void key(KeySym symbol, bool down) {
        const KeyCode code = XKeysymToKeycode(mInput, symbol);
        if (code) XTestFakeKeyEvent(mInput, code, down ? True : False, CurrentTime);
    }

    void holdModifiers(const ShowModifiers& modifiers, bool down) {
        if (modifiers.shift) key(XK_Shift_L, down);
        if (modifiers.ctrl) key(XK_Control_L, down);
        if (modifiers.alt) key(XK_Alt_L, down);
    }

    bool typeKey(const ShowEvent& event, std::string& error) {
        const KeySym symbol = keysymOf(event);
        const KeyCode code = XKeysymToKeycode(mInput, symbol);
        if (!code) {
            error = "the keyboard has no key for that character";
            return false;
        }
        // A character on the shifted level of its key needs Shift held.
        const bool shifted = XkbKeycodeToKeysym(mInput, code, 0, 0) != symbol && XkbKeycodeToKeysym(mInput, code, 0, 1) == symbol;
        if (shifted) key(XK_Shift_L, true);
        XTestFakeKeyEvent(mInput, code, True, CurrentTime);
        XTestFakeKeyEvent(mInput, code, False, CurrentTime);
        if (shifted) key(XK_Shift_L, false);
        XSync(mInput, False);
        return true;
    }

    Display* mDisplay;
    Display* mInput;  // used only by the thread that injects events
    Window mWindow = 0;
    Atom mDeleteAtom = 0;
    bool mClosed = false;
    PollRunLoop* mLoop = new PollRunLoop;
    ConnectionWatch* mWatch = nullptr;
};

} // namespace

std::unique_ptr<ShowWindow> ShowWindow::create(int width, int height, const std::string& title, std::string& error) {
    Display* display = XOpenDisplay(nullptr);
    Display* input = display ? XOpenDisplay(nullptr) : nullptr;
    if (!display || !input) {
        if (display) XCloseDisplay(display);
        error = "cannot open the X display (is DISPLAY set?)";
        return nullptr;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(input, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(input);
        XCloseDisplay(display);
        error = "the X server has no XTest extension for scripted input";
        return nullptr;
    }
    auto window = std::make_unique<ShowWindowX11>(display, input);
    if (!window->open(width, height, title, error)) return nullptr;
    return window;
}

} // namespace quilhost
