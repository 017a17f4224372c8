#include "raster/gdi/Raster_WineCheck.h"

#include <windows.h>

namespace {

int gAnswer = -1;  // -1 not yet determined
int gLookups = 0;

}  // namespace

bool Raster_RunningUnderWine()
{
  if (gAnswer < 0) {
    ++gLookups;
    HKEY key = nullptr;
    gAnswer = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) == ERROR_SUCCESS ? 1 : 0;
    if (gAnswer) RegCloseKey(key);
  }
  return gAnswer == 1;
}

int Raster_WineRegistryLookups()
{
  return gLookups;
}

void Raster_SetWineAnswer(int answer)
{
  gAnswer = answer;
}
