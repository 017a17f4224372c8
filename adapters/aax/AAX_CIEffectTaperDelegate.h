#pragma once
// The taper of a continuous plug-in parameter: the plug-in's own shape curve between min and max,
// the same curve as the parameter's normalisation.

#include "adapters/aax/support/AAX_TaperDelegates.h"

#include <algorithm>
#include <cmath>

template <class T>
class AAX_CIEffectTaperDelegate : public aax::AAX_ITaperDelegate<T> {
public:
    AAX_CIEffectTaperDelegate(T minValue, T maxValue, double shape) : min(minValue), max(maxValue), shape(shape) {}

    aax::AAX_ITaperDelegate<T>* Clone() const override { return new AAX_CIEffectTaperDelegate(*this); }
    T MaxValue() const override { return max; }
    T MinValue() const override { return min; }
    T Constrain(T x) const override {
        if (x > max) return max;
        if (x < min) return min;
        return x;
    }
    T TaperToReal(double n) const override {
        return Constrain(static_cast<T>(std::pow(n, shape) * (max - min) + min));
    }
    double TaperToNormalized(T x) const override {
        // An empty range has no position inside it: the start.
        if (!(max > min)) return 0.0;
        const double n = std::pow((Constrain(x) - min) / static_cast<double>(max - min), 1.0 / shape);
        return std::isnan(n) ? 0.0 : std::clamp(n, 0.0, 1.0);
    }

    T min;
    T max;
    double shape;
};
