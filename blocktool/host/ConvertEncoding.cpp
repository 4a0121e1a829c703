#include "blocktool/host/ConvertEncoding.h"

std::string CConvertEncoding::GetEncoding(std::int32_t) { return {}; }
