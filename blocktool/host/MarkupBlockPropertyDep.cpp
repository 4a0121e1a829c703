#include "blocktool/host/MarkupBlockPropertyDep.h"

#include "blocktool/model/MarkupBlock.h"

// The page text under a block is examined by the covered-text detection;
// until that detection is part of the plug-in no element is taken.
int CMarkupBlock::FindCoveredText(const host::PDEContentRef&) { return -1; }
