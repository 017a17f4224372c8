#pragma once

#include "tests/support/TestEffect.h"

#include <utility>
#include <vector>

// A plug-in for the core tests: nine parameters like the delay's, "1-1 2-2" channels, one preset,
// and a record of the plug-in side of the contract.
class RecordingEffect : public TestEffect
{
public:
  explicit RecordingEffect(int nPresets = 1, const char* channelIO = "1-1 2-2", int formatCode = 0)
      : TestEffect(9, channelIO, nPresets, "Quil Test", "", "Fenwox", 0x10003, 0x51755465, 0x466E7778, 0, true, false, false,
                   formatCode)
  {
    for (int i = 0; i < ParamCount(); ++i) Param(i)->DefineRange("param", 0.0, 0.0, 10.0, 0.5);
  }

  void ParameterChanged(int paramIdx, bool restoring) override
  {
    PlugMutexLock lock(mMutex); // taken again while SetParameterFromGUI holds it: the lock is recursive
    changes.push_back({paramIdx, restoring});
  }

  void PresetChanged() override { ++presetChanges; }

  std::vector<std::pair<int, bool>> changes;
  int presetChanges = 0;
};
