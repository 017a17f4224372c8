#pragma once

#ifndef _WIN32
#include <mutex>
#endif

// The instance lock: recursive, so operations that take it may call one another.
class PlugMutex
{
public:
  PlugMutex();
  ~PlugMutex();
  PlugMutex(const PlugMutex&) = delete;
  PlugMutex& operator=(const PlugMutex&) = delete;

  void Enter();
  void Leave();

private:
#ifdef _WIN32
  // A CRITICAL_SECTION, kept opaque so that including this header does not pull in <windows.h>.
  alignas(void*) unsigned char mSection[sizeof(void*) == 8 ? 40 : 24];
#else
  std::recursive_mutex mMutex;
#endif
};

// Holds a PlugMutex for the lifetime of the holder.
class PlugMutexLock
{
public:
  explicit PlugMutexLock(PlugMutex& mutex) : mMutex(mutex) { mMutex.Enter(); }
  ~PlugMutexLock() { mMutex.Leave(); }
  PlugMutexLock(const PlugMutexLock&) = delete;
  PlugMutexLock& operator=(const PlugMutexLock&) = delete;

private:
  PlugMutex& mMutex;
};
