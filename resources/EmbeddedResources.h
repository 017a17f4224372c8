#pragma once

#include <cstdint>

// The editor images compiled into a non-Windows build, looked up by resource number the way a
// Windows library finds its "PNG" resources.
struct EmbeddedResource {
  int32_t id;
  const uint8_t* data;
  int32_t size;
};

// The resource with this number, or null.
const EmbeddedResource* FindEmbeddedResource(int32_t id);
