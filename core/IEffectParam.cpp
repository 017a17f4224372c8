#include "core/IEffectParam.h"

#include "core/BoundedText.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxDisplayPrecision = 6;

// Truncation toward zero that saturates instead of overflowing; NaN gives 0.
int TruncToInt(double v)
{
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

int DecimalsOf(double step)
{
  int count = 0;
  for (double s = step; std::floor(s) != s && count < kMaxDisplayPrecision; s *= 10.0) ++count;
  return count;
}

} // namespace

void IEffectParam::DefineToggle(const char* name, bool defaultOn, const char* label, const char* group)
{
  if (mKind == ParamKindNone) mKind = ParamKindBool;
  DefineRange(name, defaultOn ? 1.0 : 0.0, 0.0, 1.0, 0.1, label, group, 1.0);
  AddValueText(0, "off");
  AddValueText(1, "on");
}

void IEffectParam::DefineChoice(const char* name, int defaultIndex, int count, const char* label, const char* group)
{
  if (mKind == ParamKindNone) mKind = ParamKindEnum;
  DefineRange(name, defaultIndex, 0.0, count - 1.0, 0.1, label, group, 1.0);
}

void IEffectParam::DefineRange(const char* name, double defaultValue, double minimum, double maximum, double step,
                               const char* label, const char* group, double shape)
{
  if (mKind == ParamKindNone) mKind = ParamKindDouble;
  CopyBounded(mName, name);
  CopyBounded(mLabel, label);
  CopyBounded(mGroup, group);
  mMinValue = minimum;
  mValue = mDefaultValue = defaultValue;
  mMaxValue = maximum < minimum + step ? minimum + step : maximum;
  mStep = step;
  mDisplayPrecision = DecimalsOf(step);
  if (shape != 0.0) mShape = shape;
}

bool IEffectParam::AddValueText(int value, const char* text)
{
  const int count = ValueTextCount();
  if (!mValueTexts.SetCount<IParamValueText>(count + 1, false)) return false;
  IParamValueText& record = mValueTexts.Get<IParamValueText>()[count];
  record.value = value;
  CopyBounded(record.text, text);
  return true;
}

void IEffectParam::SetValue(double plain)
{
  if (!(plain >= mMinValue)) plain = mMinValue;
  if (plain > mMaxValue) plain = mMaxValue;
  mValue = plain;
}

double IEffectParam::FromNormalized(double normalized) const
{
  return std::pow(normalized, mShape) * (mMaxValue - mMinValue) + mMinValue;
}

void IEffectParam::SetFromNormalized(double normalized)
{
  double v = FromNormalized(normalized);
  if (mKind == ParamKindDouble) {
    if (mStep == 1.0) v = std::round(v);
  } else if (mStep > 0.0) {
    // Toggles and choices have a step of 0.1, so this rounds them to tenths, not to whole values.
    v = std::floor(v / mStep + 0.5) * mStep;
  }
  // A NaN from the host (or from a negative input under a fractional shape) would poison the value.
  if (std::isnan(v)) return;
  // Only the upper end is limited: inputs in 0..1 cannot go below the minimum.
  mValue = v >= mMaxValue ? mMaxValue : v;
}

double IEffectParam::ToNormalized(double plain) const
{
  if (!(plain >= mMinValue)) plain = mMinValue;
  if (plain > mMaxValue) plain = mMaxValue;
  const double span = mMaxValue - mMinValue;
  if (!(span > 0.0)) return 0.0;
  const double r = std::pow((plain - mMinValue) / span, 1.0 / mShape);
  if (!(r >= 0.0)) return 0.0;
  return r > 1.0 ? 1.0 : r;
}

const IParamValueText* IEffectParam::ShownValueText(double plain) const
{
  const int value = TruncToInt(plain);
  const IParamValueText* records = mValueTexts.Get<IParamValueText>();
  for (int i = 0; i < ValueTextCount(); ++i) {
    if (records[i].value == value) return records[i].text[0] ? &records[i] : nullptr;
  }
  return nullptr;
}

void IEffectParam::FormatValue(double v, bool vIsNormalized, char* out, bool useValueTexts) const
{
  if (vIsNormalized) v = FromNormalized(v);
  if (useValueTexts) {
    if (const IParamValueText* shown = ShownValueText(v)) {
      CopyBounded(out, kDisplaySize, shown->text);
      return;
    }
  }
  if (mNegateDisplay) v = -v;
  if (mDisplayPrecision == 0)
    std::snprintf(out, kDisplaySize, "%d", TruncToInt(v));
  else
    std::snprintf(out, kDisplaySize, "%.*f", mDisplayPrecision, v);
}

const char* IEffectParam::UnitText() const
{
  return ShownValueText(mValue) ? "" : mLabel;
}

const char* IEffectParam::ValueTextFor(int value) const
{
  const IParamValueText* records = mValueTexts.Get<IParamValueText>();
  for (int i = 0; i < ValueTextCount(); ++i) {
    if (records[i].value == value) return records[i].text;
  }
  return "";
}

bool IEffectParam::ParseValueText(const char* text, int* outValue) const
{
  if (!text) return false;
  const IParamValueText* records = mValueTexts.Get<IParamValueText>();
  for (int i = 0; i < ValueTextCount(); ++i) {
    if (std::strcmp(records[i].text, text) == 0) {
      if (outValue) *outValue = records[i].value;
      return true;
    }
  }
  return false;
}
