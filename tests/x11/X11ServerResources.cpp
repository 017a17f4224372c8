// X11TestDisplay::ServerResources, apart: the protocol header it needs defines min and max as
// macros, which every C++ header included after it would trip over.
#include "tests/x11/X11TestDisplay.h"

#include <string>
#include <vector>

#include <X11/Xlibint.h>
#include <X11/extensions/XResproto.h>

// The X-Resource requests, spoken directly: the extension's client library is not installed here.
std::map<std::string, unsigned long> X11TestDisplay::ServerResources()
{
  std::map<std::string, unsigned long> totals;
  int opcode = 0, firstEvent = 0, firstError = 0;
  if (!XQueryExtension(mDisplay, XRES_NAME, &opcode, &firstEvent, &firstError)) return totals;
  Display* dpy = mDisplay;  // the request macros expect this name
  std::vector<xXResClient> clients;
  {
    LockDisplay(dpy);
    xXResQueryClientsReq* request;
    GetReq(XResQueryClients, request);
    request->reqType = static_cast<CARD8>(opcode);
    request->XResReqType = X_XResQueryClients;
    xXResQueryClientsReply reply;
    if (_XReply(dpy, reinterpret_cast<xReply*>(&reply), 0, xFalse)) {
      clients.resize(reply.num_clients);
      _XRead(dpy, reinterpret_cast<char*>(clients.data()), static_cast<long>(reply.num_clients) * sz_xXResClient);
    }
    UnlockDisplay(dpy);
    SyncHandle();
  }
  totals["clients"] = clients.size();
  for (const xXResClient& client : clients) {
    std::vector<xXResType> types;
    LockDisplay(dpy);
    xXResQueryClientResourcesReq* request;
    GetReq(XResQueryClientResources, request);
    request->reqType = static_cast<CARD8>(opcode);
    request->XResReqType = X_XResQueryClientResources;
    request->xid = client.resource_base;
    xXResQueryClientResourcesReply reply;
    if (_XReply(dpy, reinterpret_cast<xReply*>(&reply), 0, xFalse)) {
      types.resize(reply.num_types);
      _XRead(dpy, reinterpret_cast<char*>(types.data()), static_cast<long>(reply.num_types) * sz_xXResType);
    }
    UnlockDisplay(dpy);
    SyncHandle();
    for (const xXResType& type : types) {
      char* name = XGetAtomName(mDisplay, type.resource_type);
      if (name) totals[name] += type.count;
      if (name) XFree(name);
    }
  }
  return totals;
}

