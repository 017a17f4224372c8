#pragma once
// Reference-counted object base for everything this module hands across the VST3 boundary.
// The count starts at 1 (the creator's reference) and the object deletes itself when the last
// reference is released. Classes that add interfaces override queryInterface, answer their own
// identifiers and defer to their base for the rest.

#include "adapters/vst3/api/FUnknown.h"

#include <atomic>

namespace vst3 {

class FObject : public IDependent {
public:
    FObject() = default;
    FObject(const FObject&) = delete;
    FObject& operator=(const FObject&) = delete;
    virtual ~FObject() = default;

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;
    void PLUGIN_API update(FUnknown* changedUnknown, int32 message) override;

    // Class-name queries: the most derived class's name, and whether this object is of the named
    // class (or, with askBaseClass, of one of its bases).
    virtual const char* className() const { return "FObject"; }
    virtual bool isTypeOf(const char* name, bool askBaseClass = true) const;

    uint32 refCount() const { return mRefCount.load(); }

    FUnknown* unknown() { return static_cast<IDependent*>(this); }

    // Identifies the object base itself, so module code can recover an FObject from an FUnknown.
    static constexpr Uid iid = Uid::fromWords(0x51756C46, 0x4F626A65, 0x63744261, 0x73650001);

private:
    std::atomic<uint32> mRefCount{1};
};

// Classes that inherit FUnknown along several paths repeat the counting methods once, so that
// every path reaches the one count.
#define QUIL_VST3_REFCOUNT_FROM(Base)                                   \
    vst3::uint32 PLUGIN_API addRef() override { return Base::addRef(); } \
    vst3::uint32 PLUGIN_API release() override { return Base::release(); }

bool classNamesEqual(const char* asked, const char* name);

// Class-name answers for class `Name` derived from `Base`.
#define QUIL_VST3_CLASS_NAME(Name, Base)                                                    \
    const char* className() const override { return #Name; }                               \
    bool isTypeOf(const char* name, bool askBaseClass = true) const override {             \
        return vst3::classNamesEqual(name, #Name) || (askBaseClass && Base::isTypeOf(name, true)); \
    }

} // namespace vst3
