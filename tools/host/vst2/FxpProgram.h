#pragma once
// A program file (.fxp) of the parameter-list kind ('FxCk'): what VST2 hosts save for an effect that
// exchanges its state through getParameter/setParameter. Integers and floats are big-endian.

#include <cstdint>
#include <string>
#include <vector>

namespace quilhost {

struct FxpProgram {
    std::int32_t uniqueId = 0;
    std::int32_t version = 0;
    std::string name;  // at most 27 characters are stored
    std::vector<float> values;  // normalised, one per parameter
};

std::vector<std::uint8_t> writeFxp(const FxpProgram& program);
// False, with `error` set, for anything but a complete 'FxCk' program.
bool readFxp(const std::vector<std::uint8_t>& bytes, FxpProgram& program, std::string& error);

} // namespace quilhost
