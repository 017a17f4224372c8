// The part of `show` every format shares: once the editor is in the window, wait for its first
// paint, play the scripted input, write the screenshot and keep the window up for its time.
#include "tools/host/ShowRun.h"

#include "raster/MemBitmap.h"
#include "raster/Png.h"
#include "tools/host/RenderIo.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace quilhost {
namespace {

using Clock = std::chrono::steady_clock;

// How long a view may take to paint after being attached.
constexpr int kFirstPaintTimeoutMs = 5000;
constexpr int kPumpSliceMs = 10;
// After the last scripted event: long enough for a few redraw ticks of any usual frame rate.
constexpr int kSettleMs = 200;

int elapsedMs(Clock::time_point since) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

bool differsFromBackground(Raster_MemBitmap& pixels) {
    const std::uint32_t* data = pixels.PixelData();
    if (!data) return false;
    for (int y = 0; y < pixels.PixelHeight(); ++y) {
        const std::uint32_t* row = data + static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.RowPixels());
        for (int x = 0; x < pixels.PixelWidth(); ++x)
            if ((row[x] | 0xFF000000u) != kShowBackground) return true;
    }
    return false;
}

// Pumps until the client area shows something of the view. False, with `error` set, when the
// window closed first or nothing came.
bool waitForFirstPaint(ShowWindow& window, std::string& error) {
    const Clock::time_point start = Clock::now();
    Raster_MemBitmap pixels;
    while (elapsedMs(start) < kFirstPaintTimeoutMs) {
        if (!window.pump(kPumpSliceMs)) {
            error = "the window was closed before the editor painted";
            return false;
        }
        if (window.capture(pixels) && differsFromBackground(pixels)) return true;
    }
    error = "the editor did not paint within " + std::to_string(kFirstPaintTimeoutMs) + " ms";
    return false;
}

// Pumps until `untilMs` after `start`. False when the window closed.
bool pumpUntil(ShowWindow& window, Clock::time_point start, int untilMs) {
    for (;;) {
        const int left = untilMs - elapsedMs(start);
        if (left <= 0) return window.pump(0);
        if (!window.pump(left < kPumpSliceMs ? left : kPumpSliceMs)) return false;
    }
}

bool writeScreenshot(ShowWindow& window, const std::string& path, std::string& error) {
    Raster_MemBitmap pixels;
    if (!window.capture(pixels)) {
        error = "cannot read the window's pixels";
        return false;
    }
    if (!Raster_WritePng(&pixels, path.c_str())) {
        error = "cannot write '" + path + "'";
        return false;
    }
    std::printf("screenshot: %s (%d x %d)\n", path.c_str(), pixels.PixelWidth(), pixels.PixelHeight());
    return true;
}

// Plays the script from its own thread, each event at its moment: the window's thread keeps
// pumping, and a menu the script opens runs its modal loop there while later events close it.
class ScriptPlayer {
public:
    ScriptPlayer(ShowWindow& window, const std::vector<ShowEvent>& events, Clock::time_point start, int deadlineMs)
        : mThread([this, &window, &events, start, deadlineMs] { play(window, events, start, deadlineMs); }) {}
    ~ScriptPlayer() { finish(); }

    bool done() const { return mDone.load(); }
    // Stops playing what has not been played yet and waits for the thread; the first error, or empty.
    std::string finish() {
        mStop.store(true);
        if (mThread.joinable()) mThread.join();
        return mError;
    }

private:
    void play(ShowWindow& window, const std::vector<ShowEvent>& events, Clock::time_point start, int deadlineMs) {
        for (const ShowEvent& event : events) {
            if (deadlineMs >= 0 && event.ms > deadlineMs) {
                mError = "events from line " + std::to_string(event.line) + " on come after --seconds";
                break;
            }
            const Clock::time_point due = start + std::chrono::milliseconds(event.ms);
            while (Clock::now() < due) {
                if (mStop.load()) return finishPlaying();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            std::string error;
            if (!window.inject(event, error)) {
                mError = "event on line " + std::to_string(event.line) + ": " + error;
                break;
            }
        }
        finishPlaying();
    }
    void finishPlaying() { mDone.store(true); }

    std::string mError;
    std::atomic<bool> mDone{false};
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

} // namespace

int runShowWindow(ShowWindow& window, const CommandOptions& options, const std::vector<ShowEvent>& events) {
    std::string error;
    if (!waitForFirstPaint(window, error)) return commandFailure(error);
    const Clock::time_point start = Clock::now();
    const bool timed = options.showSeconds >= 0.0;
    const int deadlineMs = timed ? static_cast<int>(options.showSeconds * 1000.0) : -1;
    const bool scripted = !events.empty() || !options.screenshot.empty();

    bool open = true;
    if (!events.empty()) {
        ScriptPlayer player(window, events, start, deadlineMs);
        while (open && !player.done() && (!timed || elapsedMs(start) < deadlineMs)) open = window.pump(kPumpSliceMs);
        // Input still in the queue when the script ends is handled before anything is read back.
        if (open) open = pumpUntil(window, start, elapsedMs(start) + kSettleMs);
        error = player.finish();
        if (!error.empty()) return commandFailure(error);
    }
    if (open && !options.screenshot.empty() && !writeScreenshot(window, options.screenshot, error)) return commandFailure(error);
    if (open && timed) pumpUntil(window, start, deadlineMs);
    else if (open && !scripted) {
        while (window.pump(100)) {
        }
    }
    return 0;
}

} // namespace quilhost
