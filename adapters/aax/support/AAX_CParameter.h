#pragma once
// One parameter as the AAX host sees it: identifier, name, real value of type T with its taper and
// display delegates, steps, type and automation flag. The data model keeps these in its list; the
// host reaches them by identifier only. Values are atomic: the host updates them on its threads
// while the audio thread reads them.

#include "adapters/aax/support/AAX_DisplayDelegates.h"
#include "adapters/aax/support/AAX_TaperDelegates.h"
#include "adapters/aax/support/AaxTypes.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <string>

namespace aax {

// Identifiers are at most 31 characters.
constexpr std::size_t kParameterIdentifierMaxSize = 32;

class AAX_IParameter {
public:
    virtual ~AAX_IParameter() = default;

    const std::string& Identifier() const { return mId; }
    const std::string& Name() const { return mName; }
    bool Automatable() const { return mAutomatable; }
    int32_t NumberOfSteps() const { return mSteps; }
    void SetNumberOfSteps(int32_t steps) { mSteps = steps > 0 ? steps : 1; }
    int32_t Type() const { return mType; }
    void SetType(int32_t type) { mType = type; }

    virtual double NormalizedValue() const = 0;
    // The internal update: stores the value without telling the host. Values outside 0..1 are
    // clamped; not-a-number leaves the value as it was and reports false.
    virtual bool SetNormalizedValue(double normalized) = 0;
    virtual double NormalizedDefaultValue() const = 0;
    virtual void SetNormalizedDefaultValue(double normalized) = 0;
    virtual bool ValueToString(double normalized, int maxChars, std::string& out) const = 0;
    virtual bool StringToNormalized(const std::string& text, double* normalized) const = 0;
    // The real value read as on or off.
    virtual bool BoolValue() const = 0;

protected:
    AAX_IParameter(const char* id, const char* name, bool automatable)
        : mId(id ? std::string(id).substr(0, kParameterIdentifierMaxSize - 1) : std::string()),
          mName(name ? name : ""), mAutomatable(automatable) {}

private:
    std::string mId;
    std::string mName;
    bool mAutomatable;
    int32_t mSteps = 128;
    int32_t mType = AAX_eParameterType_Continuous;
};

template <class T>
class AAX_CParameter : public AAX_IParameter {
public:
    AAX_CParameter(const char* id, const char* name, T defaultValue, const AAX_ITaperDelegate<T>& taper,
                   const AAX_IDisplayDelegate<T>& display, bool automatable)
        : AAX_IParameter(id, name, automatable), mTaper(taper.Clone()), mDisplay(display.Clone()),
          mDefault(mTaper->Constrain(defaultValue)), mValue(mDefault.load()) {}

    T Value() const { return mValue.load(); }

    double NormalizedValue() const override { return mTaper->TaperToNormalized(mValue.load()); }
    bool SetNormalizedValue(double normalized) override {
        if (std::isnan(normalized)) return false;
        mValue.store(mTaper->TaperToReal(std::clamp(normalized, 0.0, 1.0)));
        return true;
    }
    double NormalizedDefaultValue() const override { return mTaper->TaperToNormalized(mDefault.load()); }
    void SetNormalizedDefaultValue(double normalized) override {
        if (!std::isnan(normalized)) mDefault.store(mTaper->TaperToReal(std::clamp(normalized, 0.0, 1.0)));
    }
    bool ValueToString(double normalized, int maxChars, std::string& out) const override {
        const double safe = std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0);
        return mDisplay->ValueToString(mTaper->TaperToReal(safe), maxChars, out);
    }
    bool StringToNormalized(const std::string& text, double* normalized) const override {
        T value{};
        if (!mDisplay->StringToValue(text, &value)) return false;
        *normalized = mTaper->TaperToNormalized(mTaper->Constrain(value));
        return true;
    }
    bool BoolValue() const override { return static_cast<bool>(mValue.load()); }

private:
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaper;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplay;
    std::atomic<T> mDefault;
    std::atomic<T> mValue;
};

} // namespace aax
