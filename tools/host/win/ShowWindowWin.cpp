// The `show` window on Windows: a plain top-level window whose client area holds the view, real
// input through the system's input queue (SendInput), pixels read back from the window's device
// context.
#include "tools/host/ShowWindow.h"

#include "raster/MemBitmap.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace quilhost {
namespace {

const wchar_t kClassName[] = L"QuilHostShowWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kWheelDeltaPerNotch = 120;

COLORREF backgroundColour() {
    return RGB((kShowBackground >> 16) & 0xFF, (kShowBackground >> 8) & 0xFF, kShowBackground & 0xFF);
}

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (virtualKey) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DELETE:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return input;
}

WORD namedKey(ShowKey key) {
    switch (key) {
    case ShowKey::Return: return VK_RETURN;
    case ShowKey::Escape: return VK_ESCAPE;
    case ShowKey::Tab: return VK_TAB;
    case ShowKey::Backspace: return VK_BACK;
    case ShowKey::Delete: return VK_DELETE;
    case ShowKey::Left: return VK_LEFT;
    case ShowKey::Right: return VK_RIGHT;
    case ShowKey::Up: return VK_UP;
    case ShowKey::Down: return VK_DOWN;
    case ShowKey::Character: break;
    }
    return 0;
}

// Modifier keys pressed around an event, in press order.
std::vector<WORD> modifierKeys(const ShowModifiers& modifiers) {
    std::vector<WORD> keys;
    if (modifiers.shift) keys.push_back(VK_SHIFT);
    if (modifiers.ctrl) keys.push_back(VK_CONTROL);
    if (modifiers.alt) keys.push_back(VK_MENU);
    return keys;
}

// Presses the modifiers, then the inputs, then releases the modifiers in reverse order.
std::vector<INPUT> withModifiers(const std::vector<WORD>& modifiers, const std::vector<INPUT>& inputs) {
    std::vector<INPUT> all;
    for (WORD key : modifiers) all.push_back(keyInput(key, false));
    all.insert(all.end(), inputs.begin(), inputs.end());
    for (auto key = modifiers.rbegin(); key != modifiers.rend(); ++key) all.push_back(keyInput(*key, true));
    return all;
}

class ShowWindowWin : public ShowWindow {
public:
    ~ShowWindowWin() override {
        if (mWindow) DestroyWindow(mWindow);
        if (mBrush) DeleteObject(mBrush);
    }

    bool open(int width, int height, const std::string& title, std::string& error);

    void* nativeHandle() override { return mWindow; }
    const char* platformType() const override { return "HWND"; }
    bool pump(int ms) override;
    bool inject(const ShowEvent& event, std::string& error) override;
    bool capture(Raster_MemBitmap& pixels) override;
    bool resizeClient(int width, int height) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The absolute input coordinates of a client position.
    INPUT mouseInput(int x, int y, DWORD flags, DWORD data) const;
    bool send(const std::vector<INPUT>& inputs, std::string& error);

    std::atomic<HWND> mWindow{nullptr};  // read by inject() on the script thread
    HBRUSH mBrush = nullptr;
};

bool ShowWindowWin::open(int width, int height, const std::string& title, std::string& error) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassW(&windowClass)) {
            error = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
            return false;
        }
    }
    mBrush = CreateSolidBrush(backgroundColour());
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, kStyle, FALSE);
    std::wstring wideTitle(title.begin(), title.end());
    mWindow = CreateWindowExW(0, kClassName, wideTitle.c_str(), kStyle, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!mWindow) {
        error = "cannot create a window (error " + std::to_string(GetLastError()) +
                "); is there a display (DISPLAY under Wine)?";
        return false;
    }
    ::ShowWindow(mWindow, SW_SHOWNORMAL);
    SetForegroundWindow(mWindow);
    UpdateWindow(mWindow);
    return true;
}

LRESULT CALLBACK ShowWindowWin::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ShowWindowWin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, self->mBrush);
        return 1;
    }
    if (self && message == WM_NCDESTROY) {
        // Closed by the user: the window and the view's window inside it are gone.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->mWindow = nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ShowWindowWin::pump(int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!mWindow) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

INPUT ShowWindowWin::mouseInput(int x, int y, DWORD flags, DWORD data) const {
    POINT point{x, y};
    ClientToScreen(mWindow, &point);
    // Absolute input spans the primary screen in 65536 steps; rounding up lands on the pixel itself.
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(point.x) * 65536 + screenWidth - 1) / screenWidth);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(point.y) * 65536 + screenHeight - 1) / screenHeight);
    input.mi.mouseData = data;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

bool ShowWindowWin::send(const std::vector<INPUT>& inputs, std::string& error) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
    if (sent == inputs.size()) return true;
    error = "the system took " + std::to_string(sent) + " of " + std::to_string(inputs.size()) + " inputs";
    return false;
}

bool ShowWindowWin::inject(const ShowEvent& event, std::string& error) {
    if (!mWindow) {
        error = "the window is closed";
        return false;
    }
    if (event.kind == ShowEventKind::Key) {
        std::vector<WORD> modifiers;
        WORD key = namedKey(event.key);
        if (event.key == ShowKey::Character) {
            const SHORT scan = VkKeyScanA(event.character);
            if (scan == -1) {
                error = std::string("no key types '") + event.character + "'";
                return false;
            }
            key = static_cast<WORD>(scan & 0xFF);
            modifiers = modifierKeys({(scan & 0x100) != 0, (scan & 0x200) != 0, (scan & 0x400) != 0});
        }
        return send(withModifiers(modifiers, {keyInput(key, false), keyInput(key, true)}), error);
    }
    const int x = event.x, y = event.y;
    std::vector<INPUT> inputs;
    switch (event.kind) {
    case ShowEventKind::Move: inputs = {mouseInput(x, y, 0, 0)}; break;
    case ShowEventKind::Down: inputs = {mouseInput(x, y, MOUSEEVENTF_LEFTDOWN, 0)}; break;
    case ShowEventKind::Up: inputs = {mouseInput(x, y, MOUSEEVENTF_LEFTUP, 0)}; break;
    case ShowEventKind::RightDown: inputs = {mouseInput(x, y, MOUSEEVENTF_RIGHTDOWN, 0)}; break;
    case ShowEventKind::RightUp: inputs = {mouseInput(x, y, MOUSEEVENTF_RIGHTUP, 0)}; break;
    case ShowEventKind::DoubleClick:
        // Two clicks in quick succession at one place: the system makes the second a double click.
        inputs = {mouseInput(x, y, MOUSEEVENTF_LEFTDOWN, 0), mouseInput(x, y, MOUSEEVENTF_LEFTUP, 0),
                  mouseInput(x, y, MOUSEEVENTF_LEFTDOWN, 0), mouseInput(x, y, MOUSEEVENTF_LEFTUP, 0)};
        break;
    case ShowEventKind::Wheel:
        inputs = {mouseInput(x, y, MOUSEEVENTF_WHEEL, static_cast<DWORD>(event.notches * kWheelDeltaPerNotch))};
        break;
    case ShowEventKind::Key: break;
    }
    return send(withModifiers(modifierKeys(event.modifiers), inputs), error);
}

bool ShowWindowWin::capture(Raster_MemBitmap& pixels) {
    if (!mWindow) return false;
    RECT client;
    GetClientRect(mWindow, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return false;
    pixels.SetSize(width, height);
    if (!pixels.PixelData() || pixels.PixelWidth() != width || pixels.PixelHeight() != height) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(mWindow);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memoryDc && section && bits) {
        HGDIOBJ previous = SelectObject(memoryDc, section);
        ok = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memoryDc, previous);
    }
    if (ok) {
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            std::uint32_t* row = pixels.PixelData() + static_cast<std::size_t>(y) * pixels.RowPixels();
            for (int x = 0; x < width; ++x) row[x] = source[static_cast<std::size_t>(y) * width + x] | 0xFF000000u;
        }
    }
    if (section) DeleteObject(section);
    if (memoryDc) DeleteDC(memoryDc);
    ReleaseDC(mWindow, windowDc);
    return ok;
}

bool ShowWindowWin::resizeClient(int width, int height) {
    if (!mWindow || width <= 0 || height <= 0) return false;
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, kStyle, FALSE);
    return SetWindowPos(mWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

} // namespace

std::unique_ptr<ShowWindow> ShowWindow::create(int width, int height, const std::string& title, std::string& error) {
    auto window = std::make_unique<ShowWindowWin>();
    if (!window->open(width, height, title, error)) return nullptr;
    return window;
}

} // namespace quilhost
