#pragma once

class IControl;
class IEffectParam;

// What every platform's in-place text entry does with what the user types.

// A field hands over at most this many characters.
constexpr int kTextEntryReadLimit = 31;

// Whether the field takes a typed character: fields for on/off, integer and choice parameters take
// digits and signs, fields for continuous parameters a decimal point too, other fields anything.
bool TextEntryAcceptsChar(const IEffectParam* param, char c);

// Hands committed text to its control: as it is without a parameter; otherwise converted to the
// parameter's plain value (the value of a matching value text for on/off and choice parameters, else
// the leading decimal number, 0 when there is none), normalised and applied as a user value.
void DeliverEnteredText(IControl* control, const IEffectParam* param, const char* text);
