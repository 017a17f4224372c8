#pragma once

#include "core/TypedBuffer.h"

#include <cstdint>

enum EParamKind : int32_t
{
  ParamKindNone = 0,
  ParamKindBool = 1,
  ParamKindInt = 2,
  ParamKindEnum = 3,
  ParamKindDouble = 4,
};

// A text shown for one integer value of a switch-like or choice-like parameter.
struct IParamValueText
{
  int32_t value;
  char text[32];
};

// One automatable parameter: a plain value inside a range, its mapping to and from the host's
// normalised 0..1, its display text and its value texts.
class IEffectParam
{
public:
  static constexpr int kFieldSize = 32;
  // Every display text fits this many bytes, terminator included: callers format into buffers at
  // least this large.
  static constexpr int kDisplaySize = 64;

  IEffectParam() = default;
  IEffectParam(const IEffectParam&) = delete;
  IEffectParam& operator=(const IEffectParam&) = delete;

  void DefineToggle(const char* name, bool defaultOn, const char* label = "", const char* group = "");
  void DefineChoice(const char* name, int defaultIndex, int count, const char* label = "", const char* group = "");
  void DefineRange(const char* name, double defaultValue, double minimum, double maximum, double step,
                   const char* label = "", const char* group = "", double shape = 1.0);
  bool AddValueText(int value, const char* text);

  double Value() const { return mValue; }
  // Stores a plain value clamped into the range, without step rounding (state restore, host text
  // entry). A NaN becomes the minimum.
  void SetValue(double plain);
  void SetFromNormalized(double normalized);
  double ToNormalized() const { return ToNormalized(mValue); }
  double ToNormalized(double plain) const;

  // out must hold kDisplaySize bytes.
  void FormatValue(double v, bool vIsNormalized, char* out, bool useValueTexts) const;
  void FormatCurrent(char* out) const { FormatValue(mValue, false, out, true); }

  const char* NameText() const { return mName; }
  const char* UnitText() const;
  const char* GroupText() const { return mGroup; }
  int ValueTextCount() const { return mValueTexts.CountOf<IParamValueText>(); }
  const char* ValueTextFor(int value) const;
  bool ParseValueText(const char* text, int* outValue) const;

  EParamKind Kind() const { return mKind; }
  double MinValue() const { return mMinValue; }
  double MaxValue() const { return mMaxValue; }
  double Step() const { return mStep; }
  double Shape() const { return mShape; }
  double DefaultValue() const { return mDefaultValue; }
  int DisplayPrecision() const { return mDisplayPrecision; }
  bool NegateDisplay() const { return mNegateDisplay; }
  void SetNegateDisplay(bool negate) { mNegateDisplay = negate; }
  bool CanAutomate() const { return mCanAutomate; }
  void SetCanAutomate(bool canAutomate) { mCanAutomate = canAutomate; }

private:
  // The first record carrying value with a non-empty text, or null.
  const IParamValueText* ShownValueText(double plain) const;
  double FromNormalized(double normalized) const;

  EParamKind mKind = ParamKindNone;
  double mValue = 0.0;
  double mMinValue = 0.0;
  double mMaxValue = 1.0;
  double mStep = 1.0;
  double mShape = 1.0;
  double mDefaultValue = 0.0;
  int32_t mDisplayPrecision = 0;
  char mName[kFieldSize] = {};
  char mLabel[kFieldSize] = {};
  char mGroup[kFieldSize] = {};
  bool mNegateDisplay = false;
  bool mCanAutomate = true;
  TypedBuffer mValueTexts{4096};
};
