#include "core/PlugMutex.h"

#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {
CRITICAL_SECTION* Section(unsigned char* storage) { return reinterpret_cast<CRITICAL_SECTION*>(storage); }
} // namespace

static_assert(sizeof(CRITICAL_SECTION) == sizeof(PlugMutex) && alignof(CRITICAL_SECTION) <= alignof(PlugMutex),
              "PlugMutex storage must match CRITICAL_SECTION");

PlugMutex::PlugMutex() { InitializeCriticalSection(Section(mSection)); }
PlugMutex::~PlugMutex() { DeleteCriticalSection(Section(mSection)); }
void PlugMutex::Enter() { EnterCriticalSection(Section(mSection)); }
void PlugMutex::Leave() { LeaveCriticalSection(Section(mSection)); }

#else

PlugMutex::PlugMutex() = default;
PlugMutex::~PlugMutex() = default;
void PlugMutex::Enter() { mMutex.lock(); }
void PlugMutex::Leave() { mMutex.unlock(); }

#endif
