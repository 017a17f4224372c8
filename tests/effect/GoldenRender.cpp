#include "tests/effect/GoldenRender.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <memory>
#include <sstream>

#include "effect/FenwoxQuil.h"

namespace golden {

namespace {

constexpr std::uint32_t kNoiseSeed = 20261211u;
constexpr char kMagic[8] = {'Q', 'U', 'I', 'L', 'G', 'O', 'L', 'D'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kNameBytes = 40;

void SetPlain(FenwoxQuil& plug, int paramIdx, double plain) {
  plug.Param(paramIdx)->SetValue(plain);
  plug.ParameterChanged(paramIdx, false);
}

// A sine from the two-term recursion y[n] = 2c y[n-1] - y[n-2]: no library call, so no platform's
// sin can change the input.
struct Oscillator {
  double c2;
  double y1 = 0.0;
  double y2;
  Oscillator(double c, double start) : c2(2.0 * c), y2(-start) {}
  double Next() {
    const double y = c2 * y1 - y2;
    y2 = y1;
    y1 = y;
    return y;
  }
};

}  // namespace

const std::vector<Preset>& Presets() {
  // name, rate, range, time, feedback, level, saturation, hiss, stereo, sync, tempo, engageAt, seconds
  static const std::vector<Preset> presets = {
      {"short-range-fastest-44k", 44100, 0, 1, 60, 80, true, true, false, 0, 120, 0, 0.6},
      {"short-range-slowest-clean-44k", 44100, 0, 100, 40, 100, false, false, false, 0, 120, 0, 0.6},
      {"mid-range-feedback-48k", 48000, 1, 70, 85, 70, true, true, false, 0, 120, 0, 1.0},
      {"long-range-44k", 44100, 2, 100, 45, 70, true, false, false, 0, 120, 0, 1.5},
      {"hold-engaged-later-48k", 48000, 3, 50, 0, 80, true, true, false, 0, 120, 0.7, 1.4},
      {"sync-3-sixteenths-96k", 96000, 0, 1, 50, 70, true, true, false, 3, 120, 0, 1.0},
      {"stereo-mode-48k", 48000, 1, 70, 50, 80, true, true, true, 0, 120, 0, 0.8},
      {"effect-off-96k", 96000, 0, 1, 60, 80, true, true, false, 0, 120, -1, 0.5},
      {"short-range-no-hiss-96k", 96000, 0, 30, 70, 100, true, false, false, 0, 120, 0, 0.6},
  };
  return presets;
}

std::vector<double> Input(int frames) {
  std::vector<double> out(2 * static_cast<std::size_t>(frames), 0.0);
  Oscillator low(0.995, 0.06), high(0.9, 0.25), hot(0.99, 0.17);
  std::uint32_t noise = kNoiseSeed;
  // Tones and noise for the first 30 %, a hot burst (beyond full scale, into the saturation) at
  // 55-60 %, silence around and after them for the echoes.
  const int toneEnd = frames * 3 / 10;
  const int burstStart = frames * 55 / 100;
  const int burstEnd = frames * 60 / 100;
  double decay = 1.0;
  for (int i = 0; i < frames; ++i) {
    noise = noise * 1664525u + 1013904223u;
    const double white = static_cast<double>(noise >> 8) * (1.0 / 8388608.0) - 1.0;
    double left = 0.0;
    double right = 0.0;
    if (i < toneEnd) {
      decay *= 0.99995;
      const double a = low.Next() * decay;
      const double b = high.Next();
      left = a + 0.2 * b + 0.05 * white;
      right = 0.7 * a - 0.3 * b + 0.05 * white;
    } else if (i >= burstStart && i < burstEnd) {
      const double h = hot.Next();
      left = h;
      right = -0.8 * h + 0.1 * white;
    }
    out[2 * i] = left;
    out[2 * i + 1] = right;
  }
  return out;
}

std::vector<double> Render(const Preset& preset) {
  auto plug = std::make_unique<FenwoxQuil>();
  plug->SeedNoise(kNoiseSeed);
  plug->tempo = preset.tempo;
  plug->ConnectInputs(0, 2, true);
  plug->ConnectOutputs(0, 2, true);
  plug->ChangeBlockSize(4096);
  plug->SetHostSampleRate(preset.rate);
  plug->ResetDsp();
  plug->NotifyAllParams();
  SetPlain(*plug, FenwoxQuil::kDelayRange, preset.range);
  SetPlain(*plug, FenwoxQuil::kTime, preset.time);
  SetPlain(*plug, FenwoxQuil::kFeedback, preset.feedback);
  SetPlain(*plug, FenwoxQuil::kEffectLevel, preset.level);
  SetPlain(*plug, FenwoxQuil::kAnalogSat, preset.saturation);
  SetPlain(*plug, FenwoxQuil::kAnalogHiss, preset.hiss);
  SetPlain(*plug, FenwoxQuil::kStereoMode, preset.stereo);
  SetPlain(*plug, FenwoxQuil::kSync16th, preset.sync16th);
  SetPlain(*plug, FenwoxQuil::kEffectActive, preset.engageAt == 0.0);

  const int frames = static_cast<int>(preset.seconds * preset.rate);
  const int engageFrame = preset.engageAt > 0.0 ? static_cast<int>(preset.engageAt * preset.rate) : -1;
  const std::vector<double> input = Input(frames);
  std::vector<double> out(input.size());
  // Block sizes a host might use, odd ones and single frames included.
  const int blockSizes[] = {512, 37, 1, 300, 4096, 64};
  std::vector<double> left(4096), right(4096);
  double* channels[] = {left.data(), right.data()};
  int done = 0;
  for (int block = 0; done < frames; ++block) {
    int count = std::min(blockSizes[block % 6], frames - done);
    if (done < engageFrame) count = std::min(count, engageFrame - done);
    if (done == engageFrame) SetPlain(*plug, FenwoxQuil::kEffectActive, 1);
    for (int i = 0; i < count; ++i) {
      left[i] = input[2 * (done + i)];
      right[i] = input[2 * (done + i) + 1];
    }
    plug->ProcessBlock(channels, channels, count);
    for (int i = 0; i < count; ++i) {
      out[2 * (done + i)] = left[i];
      out[2 * (done + i) + 1] = right[i];
    }
    done += count;
  }
  return out;
}

Summary Summarise(const std::string& name, const std::vector<double>& interleaved) {
  Summary s;
  s.name = name;
  const int frames = static_cast<int>(interleaved.size() / 2);
  s.frames = static_cast<std::uint32_t>(frames);
  std::uint64_t hash = 14695981039346656037ull;
  for (const double v : interleaved) {
    unsigned char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    for (const unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
  }
  s.hash = hash;
  for (int k = 0; k < Summary::kExcerpts; ++k) {
    const int start = std::max(0, frames * (2 * k + 1) / (2 * Summary::kExcerpts) - Summary::kExcerptFrames / 2);
    s.excerptStart.push_back(static_cast<std::uint32_t>(start));
    for (int i = start; i < start + Summary::kExcerptFrames; ++i) {
      const bool inside = i < frames;
      s.excerpts.push_back(inside ? interleaved[2 * i] : 0.0);
      s.excerpts.push_back(inside ? interleaved[2 * i + 1] : 0.0);
    }
  }
  for (int from = 0; from < frames; from += Summary::kSegmentFrames) {
    double sum[2] = {0.0, 0.0}, magnitude[2] = {0.0, 0.0};
    for (int i = from; i < std::min(frames, from + Summary::kSegmentFrames); ++i) {
      for (int c = 0; c < 2; ++c) {
        sum[c] += interleaved[2 * i + c];
        magnitude[c] += std::fabs(interleaved[2 * i + c]);
      }
    }
    s.segments.insert(s.segments.end(), {sum[0], sum[1], magnitude[0], magnitude[1]});
  }
  return s;
}

namespace {

// The largest |a[i] - b[i]| (NaN counts as largest) and its index; the vectors have equal sizes.
double LargestDifference(const std::vector<double>& a, const std::vector<double>& b, std::size_t& at) {
  double worst = 0.0;
  at = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double difference = std::fabs(a[i] - b[i]);
    if (difference > worst || std::isnan(difference)) {
      worst = difference;
      at = i;
    }
  }
  return worst;
}

}  // namespace

std::string Compare(const Summary& expected, const Summary& actual, double tolerance) {
  std::ostringstream out;
  out << std::setprecision(17);
  if (expected.name != actual.name || expected.frames != actual.frames ||
      expected.excerptStart != actual.excerptStart || expected.excerpts.size() != actual.excerpts.size() ||
      expected.segments.size() != actual.segments.size()) {
    out << "render '" << actual.name << "' (" << actual.frames << " frames) does not match the stored '"
        << expected.name << "' (" << expected.frames << " frames) in shape";
    return out.str();
  }
  // Excerpts: the largest sample difference, and where.
  std::size_t worstAt = 0;
  double worst = LargestDifference(expected.excerpts, actual.excerpts, worstAt);
  if (worst > tolerance || std::isnan(worst)) {
    const std::size_t frameInExcerpt = worstAt / 2 % Summary::kExcerptFrames;
    const std::size_t excerpt = worstAt / 2 / Summary::kExcerptFrames;
    out << "frame " << expected.excerptStart[excerpt] + frameInExcerpt << (worstAt % 2 ? " right" : " left")
        << ": expected " << expected.excerpts[worstAt] << ", rendered " << actual.excerpts[worstAt]
        << " (difference " << worst << ", tolerance " << tolerance << "); ";
  }
  // Segments: a sum over a segment moves by at most its length times the per-sample tolerance.
  const double segmentTolerance = tolerance * Summary::kSegmentFrames;
  worst = LargestDifference(expected.segments, actual.segments, worstAt);
  if (worst > segmentTolerance || std::isnan(worst)) {
    static const char* const kinds[] = {"sum of left", "sum of right", "sum of |left|", "sum of |right|"};
    const std::size_t first = worstAt / 4 * Summary::kSegmentFrames;
    out << kinds[worstAt % 4] << " over frames " << first << ".."
        << std::min<std::size_t>(first + Summary::kSegmentFrames, expected.frames) - 1 << ": expected "
        << expected.segments[worstAt] << ", rendered " << actual.segments[worstAt] << " (difference " << worst
        << ", tolerance " << segmentTolerance << "); ";
  }
  if (tolerance == 0.0 && expected.hash != actual.hash)
    out << "hash of every output bit " << std::hex << actual.hash << " instead of " << expected.hash;
  return out.str();
}

namespace {

class Writer {
 public:
  explicit Writer(std::ostream& out) : mOut(out) {}
  template <typename T>
  void Put(const T& value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    mOut.write(bytes, sizeof(T));
  }
  template <typename T>
  void PutAll(const std::vector<T>& values) {
    Put(static_cast<std::uint32_t>(values.size()));
    for (const T& v : values) Put(v);
  }

 private:
  std::ostream& mOut;
};

class Reader {
 public:
  explicit Reader(std::istream& in) : mIn(in) {}
  template <typename T>
  bool Get(T& value) {
    char bytes[sizeof(T)];
    if (!mIn.read(bytes, sizeof(T))) return false;
    std::memcpy(&value, bytes, sizeof(T));
    return true;
  }
  template <typename T>
  bool GetAll(std::vector<T>& values, std::uint32_t limit) {
    std::uint32_t count = 0;
    if (!Get(count) || count > limit) return false;
    values.resize(count);
    for (T& v : values)
      if (!Get(v)) return false;
    return true;
  }

 private:
  std::istream& mIn;
};

// Far more than any preset needs; a damaged count cannot make the reader allocate wildly.
constexpr std::uint32_t kMostValues = 1u << 20;

}  // namespace

bool Write(const std::string& path, const std::vector<Summary>& summaries) {
  std::ofstream file(path, std::ios::binary);
  Writer w(file);
  file.write(kMagic, sizeof kMagic);
  w.Put(kVersion);
  w.Put(static_cast<std::uint32_t>(summaries.size()));
  for (const Summary& s : summaries) {
    char name[kNameBytes] = {};
    std::memcpy(name, s.name.data(), std::min(s.name.size(), kNameBytes - 1));
    file.write(name, sizeof name);
    w.Put(s.frames);
    w.Put(s.hash);
    w.PutAll(s.excerptStart);
    w.PutAll(s.excerpts);
    w.PutAll(s.segments);
  }
  return static_cast<bool>(file);
}

bool Read(const std::string& path, std::vector<Summary>& summaries) {
  std::ifstream file(path, std::ios::binary);
  Reader r(file);
  char magic[sizeof kMagic];
  std::uint32_t version = 0, count = 0;
  if (!file.read(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0) return false;
  if (!r.Get(version) || version != kVersion || !r.Get(count) || count > 1000) return false;
  summaries.assign(count, Summary{});
  for (Summary& s : summaries) {
    char name[kNameBytes];
    if (!file.read(name, sizeof name)) return false;
    name[kNameBytes - 1] = '\0';
    s.name = name;
    if (!r.Get(s.frames) || !r.Get(s.hash) || !r.GetAll(s.excerptStart, kMostValues) ||
        !r.GetAll(s.excerpts, kMostValues) || !r.GetAll(s.segments, kMostValues))
      return false;
  }
  return true;
}

}  // namespace golden
