#include "core/IEffectParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string Shown(const IEffectParam& param, double v, bool normalized = false, bool valueTexts = true)
{
  char text[IEffectParam::kDisplaySize];
  param.FormatValue(v, normalized, text, valueTexts);
  return text;
}

} // namespace

TEST(EffectParam, DefinitionsSetKindRangeAndPrecision)
{
  IEffectParam toggle;
  toggle.DefineToggle("Analog", true, "", "switches");
  EXPECT_EQ(toggle.Kind(), ParamKindBool);
  EXPECT_EQ(toggle.Value(), 1.0);
  EXPECT_EQ(toggle.Step(), 0.1);
  EXPECT_EQ(toggle.ValueTextCount(), 2);
  EXPECT_STREQ(toggle.GroupText(), "switches");

  IEffectParam choice;
  choice.DefineChoice("Range", 2, 4);
  EXPECT_EQ(choice.Kind(), ParamKindEnum);
  EXPECT_EQ(choice.MaxValue(), 3.0);
  EXPECT_EQ(choice.DefaultValue(), 2.0);

  // The first definition decides the kind.
  IEffectParam redefined;
  redefined.DefineToggle("x", false);
  redefined.DefineRange("x", 0.0, 0.0, 5.0, 1.0);
  EXPECT_EQ(redefined.Kind(), ParamKindBool);

  const std::pair<double, int> precisions[] = {{1.0, 0}, {0.1, 1}, {0.5, 1}, {0.25, 2}, {0.001, 3}, {1e-7, 6}, {20.0, 0}};
  for (const auto& [step, decimals] : precisions) {
    IEffectParam param;
    param.DefineRange("p", 0.0, 0.0, 100.0, step);
    EXPECT_EQ(param.DisplayPrecision(), decimals) << "step " << step;
  }
}

TEST(EffectParam, RangeFixesAndShape)
{
  IEffectParam narrow;
  narrow.DefineRange("n", 7.0, 2.0, 1.0, 0.5);
  EXPECT_EQ(narrow.MaxValue(), 2.5);
  EXPECT_EQ(narrow.Value(), 7.0); // the default is not clamped

  IEffectParam linear;
  linear.DefineRange("l", 0.0, 0.0, 10.0, 0.5, "", "", 0.0);
  EXPECT_EQ(linear.Shape(), 1.0);

  IEffectParam curved;
  curved.DefineRange("c", 0.0, 10.0, 20.0, 0.001, "", "", 2.0);
  curved.SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(curved.Value(), 12.5);
  EXPECT_DOUBLE_EQ(curved.ToNormalized(), 0.5);
}

TEST(EffectParam, NormalizedToPlainRounding)
{
  IEffectParam toggle, choice, whole, halves, negative;
  toggle.DefineToggle("t", false);
  choice.DefineChoice("c", 0, 4);
  whole.DefineRange("w", 0.0, 0.0, 10.0, 1.0);
  halves.DefineRange("h", 0.0, 0.0, 10.0, 0.5);
  negative.DefineRange("n", 0.0, -10.0, 0.0, 1.0);

  struct Case
  {
    IEffectParam* param;
    double normalized;
    double plain;
  };
  const Case cases[] = {
      {&toggle, 0.3, 0.3},     // toggles round to tenths, not to 0 or 1
      {&toggle, 1.0, 1.0},
      {&choice, 0.4, 1.2},     // choices too
      {&choice, 1.0, 3.0},
      {&whole, 0.25, 3.0},     // 2.5 rounds away from zero
      {&negative, 0.75, -3.0}, // -2.5 likewise
      {&halves, 0.33, 3.3},    // a step other than 1 keeps the exact value
      {&halves, 1.0, 10.0},
      {&halves, 1.7, 10.0},    // limited above
      {&halves, -0.5, -5.0},   // but not below
  };
  for (const Case& c : cases) {
    c.param->SetFromNormalized(c.normalized);
    EXPECT_NEAR(c.param->Value(), c.plain, 1e-12) << c.param->NameText() << " at " << c.normalized;
  }

  halves.SetFromNormalized(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(halves.Value(), -5.0);
}

TEST(EffectParam, PlainToNormalizedIsClamped)
{
  IEffectParam param;
  param.DefineRange("p", 0.0, 100.0, 200.0, 1.0);
  EXPECT_EQ(param.ToNormalized(50.0), 0.0);
  EXPECT_EQ(param.ToNormalized(250.0), 1.0);
  EXPECT_EQ(param.ToNormalized(150.0), 0.5);
  EXPECT_EQ(param.ToNormalized(std::nan("")), 0.0);

  param.SetValue(250.0);
  EXPECT_EQ(param.Value(), 200.0);
  param.SetValue(150.25); // no step rounding
  EXPECT_EQ(param.Value(), 150.25);
  param.SetValue(std::nan(""));
  EXPECT_EQ(param.Value(), 100.0);
}

TEST(EffectParam, DisplayTexts)
{
  IEffectParam toggle;
  toggle.DefineToggle("t", false, "dB");
  EXPECT_EQ(Shown(toggle, 0.5), "off");
  EXPECT_EQ(Shown(toggle, 1.0), "on");
  EXPECT_EQ(Shown(toggle, 1.0, false, false), "1.0");
  EXPECT_EQ(Shown(toggle, 1.0, true), "on");

  IEffectParam choice;
  choice.DefineChoice("c", 0, 4);
  choice.AddValueText(0, "1/4");
  choice.AddValueText(1, "8th");
  choice.AddValueText(1, "shadowed");
  choice.AddValueText(2, "");
  choice.SetFromNormalized(0.4);
  char current[IEffectParam::kDisplaySize];
  choice.FormatCurrent(current);
  EXPECT_STREQ(current, "8th");
  EXPECT_EQ(Shown(choice, 2.0), "2.0"); // an empty text shows the number
  EXPECT_EQ(Shown(choice, 3.0), "3.0"); // as does a value without a text

  IEffectParam level;
  level.DefineRange("l", 0.0, -60.0, 6.0, 1.0, "dB");
  EXPECT_EQ(Shown(level, -0.5), "0");
  EXPECT_EQ(Shown(level, -12.7), "-12");
  level.SetNegateDisplay(true);
  EXPECT_EQ(Shown(level, 3.0), "-3");

  IEffectParam fine;
  fine.DefineRange("f", 0.0, 0.0, 1.0, 0.01);
  EXPECT_EQ(Shown(fine, 0.5, true), "0.50");
  EXPECT_EQ(Shown(fine, 1e300).size(), IEffectParam::kDisplaySize - 1u); // cut, never overrunning
}

TEST(EffectParam, UnitTextIsEmptyWhileAValueTextShows)
{
  IEffectParam choice;
  choice.DefineChoice("Sync", 0, 3, "x");
  choice.AddValueText(2, "16th");
  EXPECT_STREQ(choice.UnitText(), "x");
  choice.SetValue(2.0);
  EXPECT_STREQ(choice.UnitText(), "");
}

TEST(EffectParam, ValueTextLookups)
{
  IEffectParam toggle;
  toggle.DefineToggle("t", false);
  int value = -1;
  EXPECT_FALSE(toggle.ParseValueText("On", &value));
  EXPECT_FALSE(toggle.ParseValueText("o", &value));
  EXPECT_TRUE(toggle.ParseValueText("on", &value));
  EXPECT_EQ(value, 1);
  EXPECT_STREQ(toggle.ValueTextFor(0), "off");
  EXPECT_STREQ(toggle.ValueTextFor(5), "");

  IEffectParam plain;
  plain.DefineRange("p", 0.0, 0.0, 1.0, 0.1);
  EXPECT_FALSE(plain.ParseValueText("on", &value));
}

TEST(EffectParam, LongTextsAreCutToTheirFields)
{
  const std::string longName(40, 'n');
  IEffectParam param;
  param.DefineRange(longName.c_str(), 0.0, 0.0, 1.0, 0.1, longName.c_str());
  param.AddValueText(0, longName.c_str());
  EXPECT_EQ(std::string(param.NameText()), longName.substr(0, 31));
  EXPECT_EQ(std::string(param.ValueTextFor(0)), longName.substr(0, 31));
}
