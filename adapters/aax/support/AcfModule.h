#pragma once
// What an AAX deliverable supplies to the module entry (AcfExports.cpp, compiled into the module):
// the description of its effects, run by ACFRegisterPlugin on the host's collection. Returns 0 on
// success; the module then hands the collection's plug-in definition back to the host.

#include "adapters/aax/support/AAX_VDescription.h"

int DescribePlugin(aax::AAX_VCollection* collection);
