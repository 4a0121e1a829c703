#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/HostTypes.h"

TEST(Fixed, ConvertsInRangeValuesExactlyAndSaturatesBeyond) {
  struct Case {
    double value;
    host::ASFixed fixed;
  };
  const Case cases[] = {
      {0.0, 0},
      {1.0, 0x10000},
      {12.5, 12 * 0x10000 + 0x8000},
      {-1.0, -65535},  // 0.5 - 65536 truncates toward zero: the stored form keeps this
      {32767.0, 32767 * 0x10000},
      {1e9, std::numeric_limits<host::ASFixed>::max()},
      {-1e9, std::numeric_limits<host::ASFixed>::min()},
      {std::numeric_limits<double>::infinity(), std::numeric_limits<host::ASFixed>::max()},
      {std::nan(""), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(host::FloatToFixed(c.value), c.fixed) << c.value;
  EXPECT_TRUE(host::FitsFixed(32767.5));
  EXPECT_FALSE(host::FitsFixed(32768.0));
  EXPECT_FALSE(host::FitsFixed(std::nan("")));
}
