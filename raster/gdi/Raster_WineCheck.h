#pragma once

// Whether the program runs on the Wine compatibility layer, whose system text drawing into memory
// bitmaps is not trusted: the registry key "Software\Wine" under the local machine is looked for the
// first time this is asked, and the answer kept for the life of the process.
bool Raster_RunningUnderWine();

// Test support: the number of registry look-ups so far, and a way to set the answer (0 not Wine,
// 1 Wine) or, with -1, to forget it so that the next question consults the registry again.
int Raster_WineRegistryLookups();
void Raster_SetWineAnswer(int answer);
