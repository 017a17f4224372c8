#pragma once

// Whether an image's file name says PNG: its extension (after the last dot) is "png" in any letter
// case. The editor's images are only decoded when it does.
bool HasPngExtension(const char* fileName);
