// The block tool's page loader and writer run on one page (C++20, apart
// from the qpdf side of the fuzzer).
#pragma once

#include "host/PD.h"
#include "host/PDE.h"

// The tables the loader needs; once per process.
void PreparePageLoader(host::PagePDEContentTable* content, host::ASAtom blockTag);
// Loads the page's blocks, writes them back and loads them again; traps
// when the second load finds another number of blocks than the first.
void RunPageLoader(const host::PDPage& page);
