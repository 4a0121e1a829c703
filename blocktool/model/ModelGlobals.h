// Globals of the plug-in that the block model reads (decimal separator,
// detect-fonts mode); they live with the plug-in's start-up.
#pragma once

#include "blocktool/host/MarkupContentInit.h"
