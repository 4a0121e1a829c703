// Property values: acceptance of typed values per value type (with "." and
// "," as local decimal separator), repairs, sequences and strict number
// conversions, independent of the C locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "ModelStrings.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/MarkupBlockProperties.h"
#include "blocktool/model/Service.h"

namespace {

using korvid::testing::ModelStrings;

// Writes "." of a table text as the local separator.
std::string Local(std::string text, char separator) {
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  return text;
}

struct AcceptCase {
  const char* property;
  const char* typed;  // "." stands for the local decimal separator
  int refusal;        // 0 accepted, else the message number
};

const AcceptCase kAcceptance[] = {
    // number with an exclusive interval, no percentage
    {"fontsize", "12", 0},          {"fontsize", "0.002", 0},     {"fontsize", "-5", 0},
    {"fontsize", "0", 1083},        {"fontsize", "0.0005", 1083}, {"fontsize", "", 1083},
    {"fontsize", "12pt", 1083},     {"fontsize", "12%", 1083},    {"fontsize", "1e3", 0},
    {"fontsize", "inf", 1083},      {"fontsize", "nan", 1083},    {"fontsize", "0x10", 1083},
    {"fontsize", "1e39", 1083},     {"fontsize", "1 2", 1083},
    // percentages allowed
    {"horizscaling", "150%", 0},    {"horizscaling", "150%%", 1083}, {"horizscaling", "0%", 1083},
    {"horizscaling", "-50%", 0},    {"horizscaling", "12.5%", 0},
    // inclusive interval
    {"italicangle", "90", 0},       {"italicangle", "-90", 0},    {"italicangle", "90.5", 1083},
    {"linewidth", "0.001", 0},      {"linewidth", "0", 1083},
    // bounded count of up to two numbers
    {"position", "50 50", 0},       {"position", "50", 0},        {"position", "10 20 30", 1083},
    {"position", "", 1083},         {"position", "a b", 1083},    {"position", "50% 25.5%", 1083}, {"position", "25.5 0.5", 0},
    {"dpi", "-1", 1083},            {"dpi", "300 300", 0},
    // name or number
    {"maxlines", "auto", 0},        {"maxlines", "5", 0},         {"maxlines", "0", 1083},
    {"maxlines", "auto5", 1083},    {"firstlinedist", "leading", 0}, {"firstlinedist", "-1", 1083},
    // names
    {"Name", "a/b", 1018},          {"Name", "a[1]", 1018},       {"Name", "a_b", 0},
    {"Name", "", 1083},             {"Name", "Taken", 1082},      {"Name", "Block_1", 0},
    {"Subtype", "x]y", 1018},
    // strings and booleans take any text
    {"Description", "any/text [1]", 0}, {"defaulttext", "", 0},   {"kerning", "true", 0},
    // a number property with a percentage that is not allowed
    {"rotate", "90", 0},            {"rotate", "90%", 1083},
};

class ValuesTest : public ::testing::TestWithParam<char> {
 protected:
  ValuesTest() : strings_(GetParam()) {}
  ModelStrings strings_;
};

TEST_P(ValuesTest, AcceptanceOfTypedValues) {
  const char separator = GetParam();
  CMarkupBlockProperties list(1);
  const auto nameKnown = [](std::string_view name) { return name == "Taken" || name == "Block_1"; };
  for (const AcceptCase& c : kAcceptance) {
    const std::string typed = Local(c.typed, separator);
    SCOPED_TRACE(std::string(c.property) + " <- \"" + typed + "\"");
    EXPECT_EQ(list.GetProperty(c.property)->CheckNewValue(typed, nameKnown), c.refusal);
  }
  // A fixed count compares with the current value.
  CMarkupProperties& rect = *list.GetProperty("Rect");
  rect.TagValue("10 20 110 70");
  EXPECT_EQ(rect.CheckNewValue("1 2 3 4"), 0);
  EXPECT_EQ(rect.CheckNewValue("1 2 3"), 1083);
  // Custom properties need a value; a custom sequence needs one number or more.
  CMarkupProperties custom("k", "1", "", PropCustom, 0x4000 | 0x2000 | 0x100000);
  EXPECT_EQ(custom.CheckNewValue(""), 1083);
  EXPECT_EQ(custom.CheckNewValue("1 2 3"), 0);
}

TEST_P(ValuesTest, RepairsAndLocalNumbers) {
  const char sep = GetParam();
  const struct {
    const char* text;
    std::string local;
  } local[] = {{"0.0", "0"},         {"0.25", Local("0.25", sep)}, {"12.0", "12"},
               {"1.0 2.0", "1"},     {"7.5%", Local("7.5%", sep)}, {"100", "100"},
               {"1.5.0", std::string("1") + sep + "5.0"}};
  for (const auto& c : local) EXPECT_EQ(Service.GetFloatAsLocal(c.text), c.local) << c.text;
  EXPECT_FLOAT_EQ(Service.GetFloatFromLocal(Local("2.5 cm", sep)), 2.5f);
  EXPECT_EQ(Service.GetFloatFromLocal("inf"), 0.0f);
  EXPECT_EQ(Service.GetFloatFromLocal("1e60"), 3.40282347e38f);
  EXPECT_EQ(Service.RealAsLocal(12.5), Local("12.50", sep));
  EXPECT_EQ(Service.RealAsLocal(0.1), Local("0.100", sep));
  EXPECT_EQ(Service.RealAsLocal(12), "12");
  EXPECT_EQ(Service.FloatAsLocalShort(0.25), Local("0.250", sep));
  CMarkupBlockProperties list(1);
  list.UpdateProperty("fontsize", 9.5);
  EXPECT_EQ(list.GetProperty("fontsize")->TagValue(), Local("9.5", sep));
  EXPECT_TRUE(list.GetProperty("fontsize")->Invalidated());
  // Defaults of numbers are normalised when a list is built.
  EXPECT_EQ(list.GetProperty("hortabsize")->TagDefaultValue(), Local("7.5%", sep));
  EXPECT_TRUE(list.GetProperty("leading")->IsDefault());
  list.GetProperty("leading")->TagValue("100");
  EXPECT_TRUE(list.GetProperty("leading")->IsDefault());  // numbers compare by value

  std::string name = "a/b[c]";
  EXPECT_EQ(Service.CheckKeyName(name), 1);
  EXPECT_EQ(name, "a_b_c_");
  EXPECT_EQ(Service.CheckKeyName(name), 0);
}

TEST_P(ValuesTest, Sequences) {
  const char sep = GetParam();
  std::vector<std::string> tokens;
  EXPECT_EQ(Service.ParseStringSequence("0 0 ", tokens), 2);
  tokens.clear();
  EXPECT_EQ(Service.ParseStringSequence("", tokens), 0);
  EXPECT_EQ(Service.ParseStringSequence("a", tokens), 1);
  tokens.clear();
  EXPECT_EQ(Service.ParseStringSequence("  a   b  ", tokens), 2);
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b"}));
  tokens.clear();
  Service.ParseStringArray("x y z", tokens);  // the last token is never taken
  EXPECT_EQ(tokens, (std::vector<std::string>{"x", "y"}));

  const struct {
    std::string text;
    bool partial;
    std::vector<float> numbers;
  } cases[] = {
      {"1 2 x", false, {}},
      {"1 2 x", true, {1, 2}},
      {"150%", false, {150}},
      {"150%%", false, {}},
      {"1%% 2%", false, {2}},
      {"1%% 2", false, {}},
      {Local("1.5 2.25", sep), false, {1.5f, 2.25f}},
      {"  3   4 ", false, {3, 4}},
      {"1 inf", false, {}},
      {"1 0x10", true, {1}},
  };
  for (const auto& c : cases) {
    std::vector<float> numbers{99};
    EXPECT_EQ(Service.ParseFloatSequence(c.text, numbers, c.partial), static_cast<int>(c.numbers.size())) << c.text;
    EXPECT_EQ(numbers, c.numbers) << c.text;
  }
  std::vector<int> ints;
  EXPECT_EQ(Service.ParseIntSequence("1 0x10 010", ints, false), 3);
  EXPECT_EQ(ints, (std::vector<int>{1, 16, 8}));
  EXPECT_TRUE(Service.CheckPercentageValue("50%", true));
  EXPECT_FALSE(Service.CheckPercentageValue("%", true));
  EXPECT_FALSE(Service.CheckPercentageValue("50%", false));
  EXPECT_TRUE(Service.CheckPercentageValue("50", false));
}

INSTANTIATE_TEST_SUITE_P(Separators, ValuesTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Point" : "Comma"; });

TEST(StrictNumbers, OnlyWholeFiniteDecimals) {
  const struct {
    const char* text;
    bool ok;
    float value;
  } floats[] = {{"1.5", true, 1.5f}, {" 1.5", true, 1.5f}, {"1.5 ", false, 0}, {"+2", true, 2},
                {"-.5", true, -0.5f}, {"1e5", true, 1e5f}, {".", false, 0},   {"inf", false, 0},
                {"-infinity", false, 0}, {"nan", false, 0}, {"0x1p3", false, 0}, {"1e", false, 0},
                {"", false, 0},       {"1,5", false, 0},  {"1e39", false, 0}};
  for (const auto& c : floats) {
    float v = -1;
    EXPECT_EQ(Service.ConvertStringToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  const struct {
    const char* text;
    bool ok;
    int value;
  } ints[] = {{"42", true, 42},          {"0x1F", true, 31},         {"017", true, 15},
              {"08", false, 0},          {"-5", true, -5},           {"2147483647", true, 2147483647},
              {"2147483648", false, 0},  {"-2147483648", true, -2147483647 - 1}, {"1.5", false, 0},
              {"0x", false, 0},          {"--1", false, 0}};
  for (const auto& c : ints) {
    int v = -1;
    EXPECT_EQ(Service.ConvertStringToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

// The viewer's toolkit sets the C locale from the environment; a German
// LC_NUMERIC must change nothing.
TEST(StrictNumbers, IndependentOfTheCLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
  ModelStrings strings('.');
  float v = 0;
  EXPECT_TRUE(Service.ConvertStringToFloat("1.5", v));
  EXPECT_EQ(v, 1.5f);
  EXPECT_FALSE(Service.ConvertStringToFloat("1,5", v));
  EXPECT_EQ(Service.GetFloatFromLocal("2.75"), 2.75f);
  EXPECT_EQ(Service.RealAsLocal(1.5), "1.50");
  EXPECT_EQ(Service.GetFloatAsLocal("12.50"), "12.50");
  CMarkupBlockProperties list(1);
  EXPECT_EQ(list.GetProperty("hortabsize")->TagDefaultValue(), "7.5%");
  EXPECT_EQ(list.GetProperty("fontsize")->CheckNewValue("0.5"), 0);
  std::setlocale(LC_ALL, previous.c_str());
}

TEST(PropertyRecord, CopyMergeAndTexts) {
  ModelStrings strings;
  CMarkupProperties source("p", "d", "desc", PropText, 0x2);
  source.SetDependency("textflow", "true", 2);
  source.AddValueToList("a");
  CMarkupProperties copy(source);
  source.SetDependency("other", "x", 1);
  ASSERT_NE(copy.GetDependency(), nullptr);
  EXPECT_EQ(copy.GetDependency()->DependProperty(), "textflow");  // an independent copy
  EXPECT_EQ(copy.ValueList(), source.ValueList());

  CMarkupProperties target("p", "v", "", 0, 0x1);
  CMarkupProperties addition("p", "", "new", 0, 0x4);
  addition.AddValueToList("a");
  addition.AddValueToList("b");
  target.AddValueToList("a");
  EXPECT_EQ(target.MergeProperties(nullptr, true), -1);
  EXPECT_EQ(target.MergeProperties(&addition, true), 0);
  EXPECT_EQ(target.GetTagMode(), 0x5u);
  EXPECT_EQ(target.TagValue(), "v");  // an empty value does not replace
  EXPECT_EQ(target.TagDescription(), "new");
  EXPECT_EQ(target.ValueList(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.MergeProperties(&addition, false), 0);
  EXPECT_EQ(target.GetTagMode(), 0x4u);

  // Booleans offer the true and false keywords without listing them.
  CMarkupProperties flag("f", "false", "", 0, 0x1);
  EXPECT_EQ(flag.GetValueListSize(), 2);
  EXPECT_EQ(flag.GetNthListValue(0), "true");
  EXPECT_EQ(flag.GetNthListValue(1), "false");
  EXPECT_EQ(flag.GetNthListValue(-1), "");
  EXPECT_FALSE(flag.IsListValue("true"));
  flag.TagValue("true");
  EXPECT_TRUE(flag.TagBoolValue());

  // FE FF starts UTF-16BE text; everything else is UTF-8.
  CMarkupProperties text;
  text.TagValue(std::string("\xFE\xFF\x00\xC4\x00x", 6));
  EXPECT_EQ(text.TagValue(), "\xC3\x84x");
  text.TagValue(std::string("\xFE\xFF", 2));
  EXPECT_EQ(text.TagValue(), "");
  int n = 0;
  text.TagValue("72 left");
  text.TagIntValue(n);
  EXPECT_EQ(n, 72);
  text.TagValue("99999999999");
  text.TagIntValue(n);
  EXPECT_EQ(n, 2147483647);
  CMarkupProperties cos("AcroForm", "0", "", 0, 0x8000);
  cos.TagCosObj(host::CosObj());
  EXPECT_EQ(cos.TagValue(), "0");

  CMarkupProperties path("defaultimage", "", "", PropImage, 0x408);
  path.TagValue("images/a b/c.tif");
  EXPECT_EQ(Service.NormalizePathProperty(&path), 0);
  EXPECT_EQ(path.TagValue(), "images/a b/c.tif");
  EXPECT_EQ(Service.ReNormalizePathProperty(&path), 0);
  EXPECT_EQ(Service.NormalizePathProperty(nullptr), -1);
  EXPECT_EQ(CService::TrimLeftRight("  a b  "), "a b");
  EXPECT_EQ(CService::TrimLeft("   "), "");
  EXPECT_EQ(CService::TrimRight(" a "), " a");
}

}  // namespace
