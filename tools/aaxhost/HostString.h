#pragma once
// The host's string object, laid out as an MSVC-built host's: slot 0 the deleting destructor, the
// C-string assignment before the string assignment. The plug-in writes into it.

#include "adapters/aax/support/AaxHostInterfaces.h"

#include <string>

namespace aaxhost {

class HostString : public aax::AAX_IString {
public:
    HostString() = default;
    explicit HostString(const char* text) : mText(text ? text : "") {}

    void* msvcDeletingDestructor(uint32_t) override { return this; }
    uint32_t Length() const override { return static_cast<uint32_t>(mText.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return mText.c_str(); }
    void Set(const char* text) override { mText = text ? text : ""; }
    aax::AAX_IString& AssignText(const char* text) override {
        Set(text);
        return *this;
    }
    aax::AAX_IString& AssignString(const aax::AAX_IString& other) override {
        Set(other.Get());
        return *this;
    }

    const std::string& str() const { return mText; }

private:
    std::string mText;
};

} // namespace aaxhost
