#pragma once
// Display delegates: a parameter's real value as the text hosts show, and the text typed into a
// host's field back to a value. maxChars <= 0 means no length limit.

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <type_traits>

namespace aax {

template <class T>
class AAX_IDisplayDelegate {
public:
    virtual ~AAX_IDisplayDelegate() = default;
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString(T value, int maxChars, std::string& out) const = 0;
    virtual bool StringToValue(const std::string& text, T* value) const = 0;
};

// Fixed notation with `precision` decimals (integers too). A limited text is cut to the limit,
// without a dangling decimal point.
template <class T>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    explicit AAX_CNumberDisplayDelegate(int precision = 2) : mPrecision(precision) {}

    AAX_IDisplayDelegate<T>* Clone() const override { return new AAX_CNumberDisplayDelegate(*this); }
    bool ValueToString(T value, int maxChars, std::string& out) const override {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", mPrecision, static_cast<double>(value));
        out = text;
        if (maxChars > 0 && static_cast<int>(out.size()) > maxChars) {
            out.resize(static_cast<std::size_t>(maxChars));
            if (!out.empty() && out.back() == '.') out.pop_back();
        }
        return true;
    }
    bool StringToValue(const std::string& text, T* value) const override {
        const char* begin = text.c_str();
        char* end = nullptr;
        const double number = std::strtod(begin, &end);
        if (end == begin || number != number) return false;
        while (*end == ' ') ++end;
        if (*end != 0) return false;
        if constexpr (std::is_integral_v<T>) {
            // Converting a double outside the type's range is undefined: refuse it.
            if (!(number >= static_cast<double>(std::numeric_limits<T>::min()) &&
                  number <= static_cast<double>(std::numeric_limits<T>::max())))
                return false;
        }
        *value = static_cast<T>(number);
        return true;
    }

private:
    int mPrecision;
};

// Appends a unit to the inner delegate's text (when a limit leaves room for it).
template <class T>
class AAX_CUnitDisplayDelegateDecorator : public AAX_IDisplayDelegate<T> {
public:
    AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner, const char* unit)
        : mInner(inner.Clone()), mUnit(unit ? unit : "") {}
    AAX_CUnitDisplayDelegateDecorator(const AAX_CUnitDisplayDelegateDecorator& other)
        : mInner(other.mInner->Clone()), mUnit(other.mUnit) {}

    AAX_IDisplayDelegate<T>* Clone() const override { return new AAX_CUnitDisplayDelegateDecorator(*this); }
    bool ValueToString(T value, int maxChars, std::string& out) const override {
        if (!mInner->ValueToString(value, maxChars, out)) return false;
        if (maxChars <= 0 || static_cast<int>(out.size() + mUnit.size()) <= maxChars) out += mUnit;
        return true;
    }
    bool StringToValue(const std::string& text, T* value) const override {
        const bool hasUnit = !mUnit.empty() && text.size() >= mUnit.size() &&
                             text.compare(text.size() - mUnit.size(), mUnit.size(), mUnit) == 0;
        return mInner->StringToValue(hasUnit ? text.substr(0, text.size() - mUnit.size()) : text, value);
    }

private:
    std::unique_ptr<AAX_IDisplayDelegate<T>> mInner;
    std::string mUnit;
};

// Exact value-to-text table.
template <class T>
class AAX_CStringDisplayDelegate : public AAX_IDisplayDelegate<T> {
public:
    explicit AAX_CStringDisplayDelegate(const std::map<T, std::string>& texts) : mTexts(texts) {}

    AAX_IDisplayDelegate<T>* Clone() const override { return new AAX_CStringDisplayDelegate(*this); }
    bool ValueToString(T value, int, std::string& out) const override {
        const auto found = mTexts.find(value);
        if (found == mTexts.end()) {
            out = "String Not Found";
            return false;
        }
        out = found->second;
        return true;
    }
    bool StringToValue(const std::string& text, T* value) const override {
        for (const auto& entry : mTexts) {
            if (entry.second == text) {
                *value = entry.first;
                return true;
            }
        }
        return false;
    }

private:
    std::map<T, std::string> mTexts;
};

// One text for off, one for on.
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<bool> {
public:
    AAX_CBinaryDisplayDelegate(const char* falseText, const char* trueText) : mFalse(falseText), mTrue(trueText) {}

    AAX_IDisplayDelegate<bool>* Clone() const override { return new AAX_CBinaryDisplayDelegate(*this); }
    bool ValueToString(bool value, int, std::string& out) const override {
        out = value ? mTrue : mFalse;
        return true;
    }
    bool StringToValue(const std::string& text, bool* value) const override {
        if (text != mTrue && text != mFalse) return false;
        *value = text == mTrue;
        return true;
    }

private:
    std::string mFalse;
    std::string mTrue;
};

} // namespace aax
