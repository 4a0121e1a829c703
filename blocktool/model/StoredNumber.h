// Numbers in the stored block tree. Reals are kept in 16.16 fixed point, the
// form stored files have always had; values too large for it are written
// as plain reals, and whole numbers as integers of any size.
#pragma once

#include "host/Cos.h"

namespace korvid::storage {

host::CosObj NewStoredReal(host::CosDoc& doc, double v);
// An integer for a whole number, else a stored real.
host::CosObj NewStoredNumber(host::CosDoc& doc, double v);

}  // namespace korvid::storage
