#pragma once
// The house colours of the FenwoxQuil pedal: deep indigo enamel, ivory print and copper accents on a
// graphite board.

#include "tools/artwork/Shapes.h"

namespace artwork::palette {

// One lamp above and to the left lights every part, so the pieces sit together in one scene.
inline const Vec2 kTowardsLight = {-0.45f, -0.9f};

inline const Colour kBoard = Hex(0x202226);
inline const Colour kBoardDark = Hex(0x121316);
inline const Colour kEnamelTop = Hex(0x33507e);
inline const Colour kEnamelBottom = Hex(0x1d2f4f);
inline const Colour kPrint = Hex(0xf1e8d2);
inline const Colour kPrintDim = Hex(0xc9bfa6);
inline const Colour kCopper = Hex(0xd08a4e);
inline const Colour kPanelTop = Hex(0x2d2f34);
inline const Colour kPanelBottom = Hex(0x1b1c20);
inline const Colour kChrome = Hex(0xc4c8ce);
inline const Colour kBlack = Hex(0x000000);
inline const Colour kWhite = Hex(0xffffff);
inline const Colour kLedRed = Hex(0xff3a22);

}  // namespace artwork::palette
