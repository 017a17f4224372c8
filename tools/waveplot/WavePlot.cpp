#include "tools/waveplot/WavePlot.h"

#include "editor/IBounds.h"
#include "editor/ITextStyle.h"
#include "raster/Blit.h"
#include "raster/MemBitmap.h"
#include "raster/Raster_CachedFont.h"
#include "raster/Raster_SystemText.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace waveplot {
namespace {

constexpr int kMargin = 16;
constexpr int kHeaderHeight = 26;
constexpr int kWaveHeight = 96;
constexpr int kRowGap = 10;
constexpr int kRowHeight = kHeaderHeight + kWaveHeight + kRowGap;
constexpr int kAxisHeight = 30;

constexpr uint32_t kBackground = 0xFF15171Cu;
constexpr uint32_t kPanel = 0xFF1F232Bu;
constexpr uint32_t kGrid = 0xFF2C313Bu;
constexpr uint32_t kCentre = 0xFF434A57u;
constexpr uint32_t kLeftWave = 0xFF5EC8F2u;
constexpr uint32_t kRightWave = 0xFFF2A65Eu;
constexpr uint32_t kText = 0xFFE6E6E6u;
constexpr uint32_t kQuietText = 0xFF9AA0AAu;

bool channelsAlike(const quilhost::AudioData& audio) {
    for (std::size_t c = 1; c < audio.channels.size(); ++c)
        if (audio.channels[c] != audio.channels[0]) return false;
    return true;
}

// Text in one font and colour, drawn from a left edge with its line centred on `middle`; returns
// the x just after it.
class Writer {
public:
    Writer(int style, uint32_t colour) {
        void* system = Raster_CreateSystemFont("Arial", 14, style, 0, kQualityAntialiased);
        if (!system) return;
        mFont.AttachSystemFont(system, Raster_IFont::kFontOwnsSystemFont);
        mFont.SetInkColour(colour);
        mReady = true;
    }
    bool ready() const { return mReady; }
    int write(Raster_IBitmap& canvas, const std::string& text, int left, int middle, bool centred = false) {
        IBounds rect(left, middle - 10, left + 1000, middle + 10);
        const int flags = Raster_IFont::kTextSingleLine | Raster_IFont::kTextVCentre | Raster_IFont::kTextNoClip;
        IBounds extent = rect;
        mFont.DrawTextRun(&canvas, text.c_str(), -1, &extent, flags | Raster_IFont::kTextMeasure);
        if (centred) rect = IBounds(left - extent.Width() / 2, rect.top, left + extent.Width(), rect.bottom);
        mFont.DrawTextRun(&canvas, text.c_str(), -1, &rect, flags);
        return rect.left + extent.Width();
    }

private:
    Raster_CachedFont mFont;
    bool mReady = false;
};

// One channel in the lane [top, top + height): for every pixel column the span from the lowest to
// the highest sample under it, full scale at the lane's edges.
void drawChannel(Raster_IBitmap& canvas, const std::vector<float>& samples, std::size_t scaleFrames, int top,
                 int height, uint32_t colour) {
    const int plotWidth = canvas.PixelWidth() - 2 * kMargin;
    const double middle = top + height / 2.0;
    const double half = height / 2.0 - 1.0;
    Raster_FillBox(&canvas, kMargin, static_cast<int>(middle), plotWidth, 1, kCentre, 1.0f, kBlitCopy);
    for (int x = 0; x < plotWidth; ++x) {
        const std::size_t from = scaleFrames * static_cast<std::size_t>(x) / static_cast<std::size_t>(plotWidth);
        const std::size_t to = std::min(samples.size(),
                                        scaleFrames * static_cast<std::size_t>(x + 1) / static_cast<std::size_t>(plotWidth));
        if (from >= to) continue;
        const auto [low, high] = std::minmax_element(samples.begin() + static_cast<std::ptrdiff_t>(from),
                                                     samples.begin() + static_cast<std::ptrdiff_t>(to));
        const int y0 = static_cast<int>(std::floor(middle - std::clamp(*high, -1.0f, 1.0f) * half));
        const int y1 = static_cast<int>(std::ceil(middle - std::clamp(*low, -1.0f, 1.0f) * half));
        Raster_FillBox(&canvas, kMargin + x, y0, 1, std::max(1, y1 - y0 + 1), colour, 1.0f, kBlitCopy);
    }
}

std::string details(const quilhost::AudioData& audio, bool alike) {
    char text[160];
    const float peak = audio.peak();
    const double dB = 20.0 * std::log10(std::max(peak, 1e-9f));
    std::snprintf(text, sizeof text, "peak %.3f (%.1f dBFS), %.2f s, %s", peak, dB, audio.seconds(),
                  audio.channels.size() == 1 ? "mono"
                  : alike                    ? "both channels alike"
                                             : "left (blue) and right (orange)");
    return text;
}

// Time marks along the bottom and faint vertical lines through every row's panel.
void drawTimeAxis(Raster_IBitmap& canvas, Writer& quiet, double seconds, int rowsBottom) {
    const int plotWidth = canvas.PixelWidth() - 2 * kMargin;
    const double step = seconds > 12.0 ? 2.0 : seconds > 4.0 ? 1.0 : 0.5;
    for (double t = 0.0; t <= seconds + 1e-9; t += step) {
        const int x = kMargin + static_cast<int>(std::lround(t / seconds * (plotWidth - 1)));
        for (int top = kMargin + kHeaderHeight; top < rowsBottom; top += kRowHeight)
            Raster_FillBox(&canvas, x, top, 1, kWaveHeight, kGrid, 1.0f, kBlitCopy);
        char label[32];
        std::snprintf(label, sizeof label, step < 1.0 ? "%.1f s" : "%.0f s", t);
        quiet.write(canvas, label, x, rowsBottom + kAxisHeight / 2, true);
    }
}

bool writePng(Raster_IBitmap& bitmap, const std::string& path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.PixelWidth());
    image.height = static_cast<png_uint_32>(bitmap.PixelHeight());
    image.format = PNG_FORMAT_BGRA;  // the pixel word's bytes in memory
    return png_image_write_to_file(&image, path.c_str(), 0, bitmap.PixelData(), bitmap.RowPixels() * 4, nullptr) != 0;
}

} // namespace

bool plotSounds(const std::vector<Sound>& sounds, int width, const std::string& path, std::string& error) {
    double seconds = 0.0;
    for (const Sound& sound : sounds) seconds = std::max(seconds, sound.audio.seconds());
    if (!(seconds > 0.0)) {
        error = "nothing to draw: every sound is empty";
        return false;
    }
    const int rowsBottom = kMargin + static_cast<int>(sounds.size()) * kRowHeight;
    Raster_MemBitmap canvas(width, rowsBottom + kAxisHeight + kMargin / 2);
    Raster_FillBox(&canvas, 0, 0, canvas.PixelWidth(), canvas.PixelHeight(), kBackground, 1.0f, kBlitCopy);

    Writer bold(kFontBold, kText), quiet(kFontNormal, kQuietText);
    if (!bold.ready() || !quiet.ready()) {
        error = "no font for the labels (Arial or a font with its metrics, such as Liberation Sans)";
        return false;
    }
    // Panels first, then the time grid over them, then the waves over the grid.
    const int plotWidth = width - 2 * kMargin;
    for (std::size_t row = 0; row < sounds.size(); ++row) {
        const int waveTop = kMargin + static_cast<int>(row) * kRowHeight + kHeaderHeight;
        Raster_FillBox(&canvas, kMargin, waveTop, plotWidth, kWaveHeight, kPanel, 1.0f, kBlitCopy);
    }
    drawTimeAxis(canvas, quiet, seconds, rowsBottom);
    for (std::size_t row = 0; row < sounds.size(); ++row) {
        const quilhost::AudioData& audio = sounds[row].audio;
        const int top = kMargin + static_cast<int>(row) * kRowHeight;
        const int waveTop = top + kHeaderHeight;
        const bool alike = channelsAlike(audio);
        const int after = bold.write(canvas, sounds[row].label, kMargin, top + kHeaderHeight / 2);
        quiet.write(canvas, details(audio, alike), after + 12, top + kHeaderHeight / 2);

        const std::size_t scaleFrames = static_cast<std::size_t>(seconds * audio.sampleRate);
        if (alike) {
            if (!audio.channels.empty()) drawChannel(canvas, audio.channels[0], scaleFrames, waveTop, kWaveHeight, kLeftWave);
            continue;
        }
        const int lane = kWaveHeight / 2;
        drawChannel(canvas, audio.channels[0], scaleFrames, waveTop, lane, kLeftWave);
        drawChannel(canvas, audio.channels[1], scaleFrames, waveTop + lane, lane, kRightWave);
    }
    if (!writePng(canvas, path)) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

} // namespace waveplot
