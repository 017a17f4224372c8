#include "core/EHostKind.h"

#include "core/BoundedText.h"

#include <cctype>
#include <cstring>

namespace {

struct HostName
{
  const char* text;
  EHostKind kind;
};

const HostName kHostNames[] = {
    {"cubase", HostCubase},         {"reaper", HostReaper},
    {"nuendo", HostNuendo},         {"cakewalk", HostCakewalk},
    {"samplitude", HostSamplitude}, {"fruity", HostFruity},
    {"live", HostLive},             {"melodyne", HostMelodyne},
    {"vstmanlib", HostVstManLib},   {"aulab", HostAuLab},
    {"garageband", HostGarageBand}, {"forte", HostForte},
    {"chainer", HostChainer},       {"audition", HostAudition},
    {"orion", HostOrion},           {"sawstudio", HostSawStudio},
    {"logic", HostLogic},           {"digital", HostDigital},
    {"audiomulch", HostAudioMulch}, {"presonus", HostPresonus},
    {"vst3plugintesthost", HostVst3TestHost}, {"protools", HostProTools},
    {"ardour", HostArdour},         {"standalone", HostStandalone},
};

} // namespace

EHostKind HostKindFromProduct(const char* productText)
{
  char lower[256];
  CopyBounded(lower, productText);
  for (char* c = lower; *c; ++c) *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  for (const HostName& name : kHostNames) {
    if (std::strstr(lower, name.text)) return name.kind;
  }
  return HostUnknown;
}
