#include "editor/TextEntryRules.h"

#include "core/IEffectParam.h"
#include "editor/IControl.h"

#include <cstdlib>

bool TextEntryAcceptsChar(const IEffectParam* param, char c)
{
  if (!param) return true;
  const bool digitOrSign = (c >= '0' && c <= '9') || c == '+' || c == '-';
  switch (param->Kind()) {
    case ParamKindBool:
    case ParamKindInt:
    case ParamKindEnum: return digitOrSign;
    case ParamKindDouble: return digitOrSign || c == '.';
    default: return true;
  }
}

void DeliverEnteredText(IControl* control, const IEffectParam* param, const char* text)
{
  if (!control) return;
  if (!text) text = "";
  if (!param) {
    control->ApplyEnteredText(text);
    return;
  }
  double value = 0.0;
  if (param->Kind() == ParamKindBool || param->Kind() == ParamKindEnum) {
    int matched = 0;
    if (param->ParseValueText(text, &matched)) value = matched;
  } else {
    value = std::strtod(text, nullptr);
    // The entry showed the value negated; typing it back means the same value.
    if (param->NegateDisplay()) value = -value;
  }
  control->ApplyUserValue(param->ToNormalized(value));
}
