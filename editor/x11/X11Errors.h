#pragma once

struct _XDisplay;

// Xlib reports protocol errors through one process-wide handler whose default ends the program.
// A host's window can vanish under the editor at any time (the host destroys its parent), so every
// request the editor makes may fail: errors on the editor's own connections are counted here and
// otherwise ignored; errors on anyone else's connections go to the handler that was there before.
// Watching starts with a connection's first editor window and ends before it is closed.
namespace X11Errors
{
void Watch(_XDisplay* display);
void Unwatch(_XDisplay* display);
// Errors seen on a watched connection so far. Compare before and after a round trip (XSync) to
// learn whether the requests in between failed.
unsigned long Count(_XDisplay* display);
// Makes the server answer everything sent so far and tells whether any of it failed since `before`.
bool FailedSince(_XDisplay* display, unsigned long before);
} // namespace X11Errors
