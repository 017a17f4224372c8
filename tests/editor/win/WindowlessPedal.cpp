#include "tests/editor/win/WindowlessPedal.h"

#include "effect/FenwoxQuil.h"

TestEffect* CreateWindowlessPedal() { return new FenwoxQuil(); }
