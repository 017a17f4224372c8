#pragma once
// Taper delegates: how a parameter's real value maps to the normalised 0..1 value hosts exchange.

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace aax {

class AAX_ITaperDelegateBase {
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

template <class T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase {
public:
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T MaxValue() const = 0;
    virtual T MinValue() const = 0;
    virtual T Constrain(T value) const = 0;
    virtual T TaperToReal(double normalized) const = 0;
    virtual double TaperToNormalized(T value) const = 0;
};

// Straight line from min to max. Integer values are truncated towards min, as hosts expect of
// stepped controls; min equal to max normalises to the middle.
template <class T>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T> {
public:
    AAX_CLinearTaperDelegate(T minValue, T maxValue) : mMin(minValue), mMax(maxValue) {}

    AAX_ITaperDelegate<T>* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
    T MaxValue() const override { return mMax; }
    T MinValue() const override { return mMin; }
    T Constrain(T value) const override { return std::clamp(value, std::min(mMin, mMax), std::max(mMin, mMax)); }
    T TaperToReal(double normalized) const override {
        const double real = normalized * (static_cast<double>(mMax) - static_cast<double>(mMin)) + mMin;
        const double low = std::min<double>(mMin, mMax);
        const double high = std::max<double>(mMin, mMax);
        // Clamp before converting: an integer conversion of an out-of-range double is undefined.
        return static_cast<T>(std::clamp(std::isnan(real) ? low : real, low, high));
    }
    double TaperToNormalized(T value) const override {
        if (mMax == mMin) return 0.5;
        return (static_cast<double>(Constrain(value)) - mMin) / (static_cast<double>(mMax) - mMin);
    }

private:
    T mMin;
    T mMax;
};

// Off below or at 0, on above it.
class AAX_CBinaryTaperDelegate : public AAX_ITaperDelegate<bool> {
public:
    AAX_ITaperDelegate<bool>* Clone() const override { return new AAX_CBinaryTaperDelegate(*this); }
    bool MaxValue() const override { return true; }
    bool MinValue() const override { return false; }
    bool Constrain(bool value) const override { return value; }
    bool TaperToReal(double normalized) const override { return normalized > 0.0; }
    double TaperToNormalized(bool value) const override { return value ? 1.0 : 0.0; }
};

} // namespace aax
