// Resource texts are data written by translators: filling their placeholders
// must follow the text's own order and never read an argument that is not
// there.
#include <gtest/gtest.h>

#include "host/TextFormat.h"

namespace {

using host::text::FormatText;

TEST(TextFormat, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatText("It needs version %i of the viewer.", {7}), "It needs version 7 of the viewer.");
  EXPECT_EQ(FormatText("Number of blocks imported: %i (from %s).", {12, "/tmp/a b.pdf"}),
            "Number of blocks imported: 12 (from /tmp/a b.pdf).");
  EXPECT_EQ(FormatText("%d%% of %u", {-5, 40u}), "-5% of 40");
}

TEST(TextFormat, MismatchedTextsStaySafe) {
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"%s and %s", "one and %s"},       // more placeholders than arguments
      {"no placeholder", "no placeholder"},  // surplus arguments are dropped
      {"%n%x%.2f%", "%n%x%.2f%"},        // other conversions are left as written
      {"%i", "one"},                     // a letter that does not fit the argument still takes it
  };
  for (const Case& c : cases) EXPECT_EQ(FormatText(c.format, {"one"}), c.expected) << c.format;
}

}  // namespace
