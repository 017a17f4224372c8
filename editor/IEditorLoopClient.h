#pragma once

// An editor platform without a thread of its own: the host's loop drives it. While the editor
// window is open, the host watches LoopDescriptor() for readability and calls OnDescriptorReady(),
// and runs a timer every LoopIntervalMs() that calls OnLoopTimer(). A host with no loop to offer
// calls Idle() as often as it can instead. All of it on the host's user-interface thread.
class IEditorLoopClient
{
public:
  virtual ~IEditorLoopClient() = default;

  // The descriptor to watch, -1 while no window is open.
  virtual int LoopDescriptor() const = 0;
  // The redraw timer's period in milliseconds (from the editor's frame rate).
  virtual int LoopIntervalMs() const = 0;
  // Handles every pending window-system event.
  virtual void OnDescriptorReady() = 0;
  // Handles pending events, then redraws what changed.
  virtual void OnLoopTimer() = 0;
  // Handles pending events and redraws when a timer period has passed since the last redraw.
  virtual void Idle() = 0;
};
