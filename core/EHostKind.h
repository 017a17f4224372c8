#pragma once

#include <cstdint>

// The hosts the plug-in recognises. The numbers are fixed; 6, 10, 11 and 19 are never produced.
enum EHostKind : int32_t
{
  HostNotIdentified = -1,
  HostUnknown = 0,
  HostReaper = 1,
  HostProTools = 2,
  HostCubase = 3,
  HostNuendo = 4,
  HostCakewalk = 5,
  HostFruity = 7,
  HostSamplitude = 8,
  HostLive = 9,
  HostMelodyne = 12,
  HostVstManLib = 13,
  HostAuLab = 14,
  HostForte = 15,
  HostChainer = 16,
  HostAudition = 17,
  HostOrion = 18,
  HostSawStudio = 20,
  HostLogic = 21,
  HostGarageBand = 22,
  HostDigital = 23,
  HostStandalone = 24,
  HostAudioMulch = 25,
  HostPresonus = 26,
  HostVst3TestHost = 27,
  HostArdour = 28,
};

// The host a product text names: the first table entry found in the lower-cased text decides, so
// the order of the table matters. No match (or a null text) gives HostUnknown.
EHostKind HostKindFromProduct(const char* productText);
