#include "editor/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

namespace {

// Latin-1 (the STRING target) to UTF-8.
std::string FromLatin1(const unsigned char* text, unsigned long length)
{
  std::string out;
  for (unsigned long i = 0; i < length; ++i) {
    const unsigned char c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// Waits for the owner's answer to a conversion request; false on timeout.
bool AwaitAnswer(Display* display, Window requestor, XEvent* answer, int timeoutMs)
{
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (XCheckTypedWindowEvent(display, requestor, SelectionNotify, answer)) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd watch{ConnectionNumber(display), POLLIN, 0};
    poll(&watch, 1, static_cast<int>(left.count()));
    XPending(display);
  }
}

bool Convert(Display* display, Window requestor, Atom target, std::string* out, int timeoutMs)
{
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom property = XInternAtom(display, "QUIL_CLIPBOARD", False);
  XDeleteProperty(display, requestor, property);
  XConvertSelection(display, clipboard, target, property, requestor, CurrentTime);
  XEvent answer{};
  if (!AwaitAnswer(display, requestor, &answer, timeoutMs) || answer.xselection.property == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const long kMaxLongs = 1 << 20;
  const bool read = XGetWindowProperty(display, requestor, property, 0, kMaxLongs, True, AnyPropertyType, &type,
                                       &format, &count, &remaining, &data) == Success;
  // Large texts come in pieces (the INCR protocol); a clipboard that big is no field's input.
  const bool usable = read && data && format == 8 && type != XInternAtom(display, "INCR", False);
  if (usable) *out = target == XA_STRING ? FromLatin1(data, count) : std::string(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  return usable;
}

} // namespace

bool ReadClipboardUtf8(Display* display, unsigned long requestor, std::string* out, int timeoutMs)
{
  if (!out) return false;
  out->clear();
  if (!display || !requestor) return false;
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  if (XGetSelectionOwner(display, clipboard) == None) return false;
  if (Convert(display, requestor, XInternAtom(display, "UTF8_STRING", False), out, timeoutMs)) return true;
  out->clear();
  if (Convert(display, requestor, XA_STRING, out, timeoutMs)) return true;
  out->clear();
  return false;
}
