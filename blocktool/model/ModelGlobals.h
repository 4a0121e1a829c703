// Globals of the plug-in that the block model reads. They are defined and
// set at start-up with the other globals of the plug-in.
#pragma once

#include "host/HostTypes.h"

// Decimal separator of numbers inside property values.
extern char cDecimalSeparator;
// Whether a new block takes its text properties from the page text it covers.
extern host::ASBool bDetectUnderFonts;
