#pragma once

class Raster_IBitmap;

// An editor image from the plug-in library's embedded images: null unless the file name ends in
// ".png" (any letter case) and the library holds a decodable image under that number. The file is
// never opened; its name only tells the format. The caller owns the result.
Raster_IBitmap* LoadResourceImage(int resourceId, const char* fileName);
