#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fixed renders of the plug-in that pin its sound: a seeded, platform-independent input through
// the plug-in at a handful of settings, summarised compactly enough to commit (a hash of every
// output bit, a few stored stretches of samples, and per-segment sums that tell where a render
// drifts). The test compares against the stored file; the update tool rewrites it on purpose.
namespace golden {

// One setting of the pedal, in the plain values of its parameters.
struct Preset {
  const char* name;
  double rate;
  int range;        // "Delay range" choice
  double time;      // "Time", 1..100 %
  double feedback;  // %
  double level;     // "Effect Level", %
  bool saturation;
  bool hiss;
  bool stereo;
  int sync16th;       // 0 = off
  double tempo;       // host tempo, BPM
  double engageAt;    // seconds into the render at which "Effect Active" goes on; 0 = from the start
  double seconds;     // length of the render
};

const std::vector<Preset>& Presets();

// The stereo input every preset hears, interleaved left/right: tone bursts (some beyond full scale),
// seeded noise, then silence for the echoes. Built from additions and multiplications only, so it
// is the same bits on every platform.
std::vector<double> Input(int frames);

// The plug-in's interleaved stereo output for a preset, in blocks of varying size.
std::vector<double> Render(const Preset& preset);

struct Summary {
  static constexpr int kExcerpts = 4;
  static constexpr int kExcerptFrames = 48;
  static constexpr int kSegmentFrames = 1024;

  std::string name;
  std::uint32_t frames = 0;
  std::uint64_t hash = 0;                   // FNV-1a over every output double's bytes
  std::vector<std::uint32_t> excerptStart;  // first frame of each excerpt
  std::vector<double> excerpts;             // kExcerpts x kExcerptFrames frames, interleaved
  std::vector<double> segments;             // per segment: sum L, sum R, sum |L|, sum |R|
};

Summary Summarise(const std::string& name, const std::vector<double>& interleaved);

// An empty text when `actual` matches `expected` within `tolerance` per sample (0: every bit and
// the hash); otherwise where and by how much it differs.
std::string Compare(const Summary& expected, const Summary& actual, double tolerance);

// The stored file: little-endian, every preset in order. Reading returns false on any damage.
bool Write(const std::string& path, const std::vector<Summary>& summaries);
bool Read(const std::string& path, std::vector<Summary>& summaries);

}  // namespace golden
