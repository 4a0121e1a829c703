// The standard property list of new Text, Image and PDF blocks, row by row
// against the table of standard properties, and the schema queries.
#include <gtest/gtest.h>

#include <cfloat>
#include <map>
#include <vector>

#include "ModelStrings.h"
#include "blocktool/model/MarkupBlockProperties.h"
#include "blocktool/model/Service.h"

namespace {

using korvid::testing::ModelStrings;

// A text of the table: resource string id, or literal when id is 0.
struct Text {
  int id = 0;
  const char* literal = "";
  std::string Get() const { return id ? Service.GetStringByID(id) : literal; }
};
Text S(int id) { return {id, ""}; }
Text L(const char* text) { return {0, text}; }

struct Interval {
  bool present = false;
  float min = 0, max = 0;
  bool exclusive = false;
};
const Interval kNo{};
Interval In(float a, float b) { return {true, a, b, false}; }
Interval Out(float a, float b) { return {true, a, b, true}; }

struct Row {
  const char* name;
  PropertyClass cls;  // as the class query reports it
  PropertyPDFType type;
  PropertyMode mode;
  Text def;           // default after normalisation
  Text desc;
  std::vector<int> values;
  Interval interval;
  int max;
  const char* kinds;  // block kinds the row belongs to: T(ext) I(mage) P(DF)
};

constexpr PropertyPDFType Str = 0, Nam = 0x1000, Num = 0x2000, NoN = 0x3000, Col = 0x200, Cos = 0x8000,
                          Arr = 0x4000;

// Transcribed from the table of standard properties (block ID 7).
std::vector<Row> Expected() {
  return {
      {"ID", 0, Num, 0x100020E0, L("7"), L("Block's ID"), {}, kNo, 0, "TIP"},
      {"ParentID", 0, Num, 0x000020E0, L("-1"), L("Parent ID"), {}, kNo, 0, "TIP"},
      {"SubID", 0, Num, 0x000020E0, L("0"), L("Block's SubID"), {}, kNo, 0, "TIP"},
      {"Kids", 0, Num, 0x000020E0, L("0"), L("Number of Kids"), {}, kNo, 0, "TIP"},
      {"AcroForm", 0, Cos, 0x000080E0, L("0"), L("Converted AcroForm"), {}, kNo, 0, "TIP"},
      {"AcroForm_Flags", 0, Num, 0x000020E0, L("0"), L("Converted AcroForm flags"), {}, kNo, 0, "TIP"},
      {"Name", 0, Nam, 0x30001080, L("Block_7"), S(1019), {}, kNo, 0, "TIP"},
      {"Type", 0, Nam, 0x50001080, S(5), S(1023), {}, kNo, 0, "TIP"},
      {"Subtype", 0, Nam, 0x30001082, S(1173), S(1020), {1173, 1074, 1110}, kNo, 0, "TIP"},
      {"Description", 0, Str, 0x20000080, L(""), S(1017), {}, kNo, 0, "TIP"},
      {"Locked", 0, Str, 0x41000081, S(16), S(1088), {}, kNo, 0, "TIP"},
      {"Rect", 0, Num | Arr, 0x10106080, L("0, 0, 0, 0"), S(1036), {}, kNo, 0, "TIP"},
      {"Status", 0, Nam, 0x00001002, S(48), S(1145), {48, 49, 50}, kNo, 0, "TIP"},
      {"backgroundcolor", 0, Col, 0x01000208, L(""), S(1069), {}, kNo, 0, "TIP"},
      {"bordercolor", 0, Col, 0x01000208, L(""), S(1147), {}, kNo, 0, "TIP"},
      {"linewidth", 0, Num, 0x01002000, L("1"), S(1087), {}, In(0.001f, FLT_MAX), 0, "TIP"},
      {"fitmethod", 0, Nam, 0x11001002, S(28), S(1070), {28, 3, 10, 27, 42, 15}, kNo, 0, "TIP"},
      {"orientate", 0, Nam, 0x01001002, S(31), S(1106), {31, 14, 43, 56}, kNo, 0, "TIP"},
      {"position", 0, Num | Arr, 0x01306008, L("0"), S(1116), {}, kNo, 2, "TIP"},
      {"rotate", 0, Num, 0x01002000, L("0"), S(1134), {}, kNo, 0, "TIP"},
      {"textflow", 1, Str, 0x03000001, S(16), S(1171), {}, kNo, 0, "T"},
      {"defaulttext", 1, Str, 0x01000000, L(""), S(1175), {}, kNo, 0, "T"},
      {"encoding", 1, Str, 0x40000000, L(""), S(1177), {}, kNo, 0, "T"},
      {"fontname", 1, Str, 0x11000008, S(1179), S(1180), {}, kNo, 0, "T"},
      {"fontsize", 1, Num, 0x11002000, L("12"), S(1181), {}, Out(-0.001f, 0.001f), 0, "T"},
      {"fontstyle", 1, Nam, 0x01001002, S(20), S(1182), {20, 17, 19, 18}, kNo, 0, "T"},
      {"fillcolor", 1, Col, 0x01000208, L("DeviceGray [0]"), S(1178), {}, kNo, 0, "T"},
      {"strokecolor", 1, Col, 0x01000208, L("DeviceGray [0]"), S(1192), {}, kNo, 0, "T"},
      {"charspacing", 1, Num, 0x01402000, L("0"), S(1174), {}, kNo, 0, "T"},
      {"horizscaling", 1, Num, 0x01402000, L("100%"), S(1184), {}, Out(-0.001f, 0.001f), 0, "T"},
      {"wordspacing", 1, Num, 0x01402000, L("0"), S(1194), {}, kNo, 0, "T"},
      {"textrendering", 1, Num, 0x01002000, L("0"), S(1190), {}, kNo, 0, "T"},
      {"textrise", 1, Num, 0x01402000, L("0"), S(1191), {}, kNo, 0, "T"},
      {"kerning", 1, Str, 0x01000001, S(16), S(1085), {}, kNo, 0, "T"},
      {"margin", 1, Num | Arr, 0x01306000, L("0"), S(1091), {}, kNo, 2, "T"},
      {"textformat", 1, Nam, 0x41001000, S(3), S(1183), {}, kNo, 0, "T"},
      {"overline", 1, Str, 0x01000001, S(16), S(1108), {}, kNo, 0, "T"},
      {"strikeout", 1, Str, 0x01000001, S(16), S(1146), {}, kNo, 0, "T"},
      {"underline", 1, Str, 0x01000001, S(16), S(1199), {}, kNo, 0, "T"},
      {"monospace", 1, Num, 0x01002000, L("0"), S(1097), {}, In(0, 2048), 0, "T"},
      {"italicangle", 1, Num, 0x01002000, L("0"), S(1084), {}, In(-90, 90), 0, "T"},
      {"underlineposition", 1, NoN, 0x01403004, S(3), S(1197), {3}, kNo, 0, "T"},
      {"underlinewidth", 1, NoN, 0x01403004, S(3), S(1198), {3}, kNo, 0, "T"},
      {"escapesequence", 1, Str, 0x01000001, S(16), S(1058), {}, kNo, 0, "T"},
      {"alignchar", 1, Str, 0x01000004, S(30), S(1005), {30}, kNo, 0, "T"},
      {"stamp", 1, Str, 0x01000002, S(30), S(1144), {30, 46, 47}, kNo, 0, "T"},
      {"alignment", 0x10, Nam, 0x01001002, S(25), S(1149), {25, 9, 39, 23}, kNo, 0, "T"},
      {"verticalalign", 0x10, Nam, 0x01001002, S(52), S(1172), {52, 9, 7, 23}, kNo, 0, "T"},
      {"fixedleading", 0x10, Str, 0x01000001, S(16), S(1151), {}, kNo, 0, "T"},
      {"hortabsize", 0x10, Num, 0x01402000, L("7.5%"), S(1153), {}, kNo, 0, "T"},
      {"hortabmethod", 0x10, Nam, 0x03001002, S(38), S(1152), {38, 55, 40}, kNo, 0, "T"},
      {"lastalignment", 0x10, Nam, 0x01001002, S(3), S(1154), {3, 25, 9, 39, 23}, kNo, 0, "T"},
      {"leading", 0x10, Num, 0x01402000, L("100%"), S(1156), {}, kNo, 0, "T"},
      {"parindent", 0x10, Num, 0x01402000, L("0"), S(1165), {}, kNo, 0, "T"},
      {"rightindent", 0x10, Num, 0x01402000, L("0"), S(1166), {}, kNo, 0, "T"},
      {"leftindent", 0x10, Num, 0x01402000, L("0"), S(1157), {}, kNo, 0, "T"},
      {"adjustmethod", 0x10, Nam, 0x01001002, S(3), S(1148), {3, 28, 10, 44, 41, 45}, kNo, 0, "T"},
      {"maxspacing", 0x10, Num, 0x01402000, L("500%"), S(1160), {}, kNo, 0, "T"},
      {"minspacing", 0x10, Num, 0x01402000, L("50%"), S(1163), {}, kNo, 0, "T"},
      {"spreadlimit", 0x10, Num, 0x01402000, L("0"), S(1161), {}, kNo, 0, "T"},
      {"nofitlimit", 0x10, Num, 0x01402000, L("75%"), S(1164), {}, kNo, 0, "T"},
      {"shrinklimit", 0x10, Num, 0x01402000, L("85%"), S(1167), {}, kNo, 0, "T"},
      {"linespreadlimit", 0x10, Num, 0x01402000, L("200%"), S(1158), {}, kNo, 0, "T"},
      {"maxlines", 0x10, NoN, 0x01403004, S(3), S(1159), {3}, In(1, FLT_MAX), 0, "T"},
      {"firstlinedist", 0x10, NoN, 0x01403004, S(24), S(1150), {24, 8, 2, 57}, In(0, FLT_MAX), 0, "T"},
      {"lastlinedist", 0x10, NoN, 0x01403004, L("0"), S(1155), {13}, In(0, FLT_MAX), 0, "T"},
      {"ruler", 0x10, Num | Arr, 0x41606000, L("0"), L("Ruler_1"), {}, kNo, 32, "T"},
      {"tabalignment", 0x10, Nam | Arr, 0x41205000, L("left"), S(1169), {}, kNo, 32, "T"},
      {"tabalignchar", 0x10, Str, 0x01000000, L("."), S(1168), {}, kNo, 0, "T"},
      {"defaultimage", 0x100, Str, 0x01000408, L(""), S(1075), {}, kNo, 0, "I"},
      {"dpi", 0x100, Num | Arr, 0x01306000, L("0"), S(1045), {}, In(0, FLT_MAX), 2, "I"},
      {"defaultpdf", 0x200, Str, 0x01000408, L(""), S(1112), {}, kNo, 0, "P"},
      {"defaultpdfpage", 0x200, Num, 0x01002000, L("1"), S(1111), {}, In(1, FLT_MAX), 0, "P"},
      {"scale", 0x300, Num | Arr, 0x01306000, L("1"), S(1137), {}, kNo, 2, "IP"},
      {"pdiusebox", 0x200, Nam, 0x00001002, S(11), S(1115), {26, 11, 4, 53, 1}, kNo, 0, "P"},
  };
}

class SchemaTest : public ::testing::Test {
 protected:
  ModelStrings strings_;
};

TEST_F(SchemaTest, StandardListsOfTextImageAndPDFBlocksMatchTheTable) {
  const std::vector<Row> rows = Expected();
  ASSERT_EQ(rows.size(), 75u);
  const struct {
    PropertyClass cls;
    char kind;
  } kinds[] = {{PropText, 'T'}, {PropImage, 'I'}, {PropPDF, 'P'}};
  for (const auto& [blockClass, kind] : kinds) {
    CMarkupBlockProperties list(7);
    list.PropertyListClass(blockClass);
    ASSERT_EQ(list.PropertyListClass(), blockClass);
    ASSERT_EQ(list.GetNumOfNames(), 75);
    ASSERT_EQ(list.GetSize(), 75);
    for (int i = 0; i < 75; ++i) {
      const Row& row = rows[i];
      SCOPED_TRACE(std::string(row.name) + " in a block of kind " + kind);
      ASSERT_EQ(list.GetNthName(i), row.name);
      const CMarkupProperties& p = *list.GetProperty(row.name);
      EXPECT_EQ(p.GetClass(), row.cls);
      EXPECT_EQ(p.GetPDFType(), row.type);
      EXPECT_EQ(p.GetTagMode(), row.mode);
      EXPECT_EQ(p.TagDefaultValue(), row.def.Get());
      EXPECT_EQ(p.TagDescription(), row.desc.Get());
      std::vector<std::string> values;
      for (int id : row.values) values.push_back(Service.GetStringByID(id));
      if (row.type == Col) values = {"None", "DeviceGray", "DeviceRGB", "DeviceCMYK", "Separation", "Lab"};
      EXPECT_EQ(p.ValueList(), values);
      if (row.interval.present) {
        EXPECT_EQ(p.IntervalMin(), row.interval.min);
        EXPECT_EQ(p.IntervalMax(), row.interval.max);
        EXPECT_EQ(p.IntervalExclusive(), row.interval.exclusive);
      } else {
        EXPECT_EQ(p.IntervalMin(), -2147483648.0f);
        EXPECT_EQ(p.IntervalMax(), 2147483648.0f);
        EXPECT_FALSE(p.IntervalExclusive());
      }
      EXPECT_EQ(p.MaxNumOfValues(), row.max);
      EXPECT_EQ(p.IsMatchClass(blockClass), std::string_view(row.kinds).find(kind) != std::string_view::npos);
      if (row.name != std::string_view("fitmethod") && row.name != std::string_view("Subtype")) {
        EXPECT_EQ(p.TagValue(), p.TagDefaultValue());
      }
    }
    EXPECT_EQ(list.GetProperty("Subtype")->TagValue(),
              Service.GetStringByID(blockClass == PropText ? 1173 : blockClass == PropImage ? 1074 : 1110));
  }
}

TEST_F(SchemaTest, NewBlockIdentityAndDefaults) {
  CMarkupBlockProperties list(42);
  EXPECT_EQ(list.GetProperty("ID")->TagValue(), "42");
  EXPECT_EQ(list.GetProperty("Name")->TagValue(), Service.GetStringByID(5) + "_42");
  // fitmethod starts at the first choice but its default is string 28, so
  // a new block's fitmethod is never at its default.
  const CMarkupProperties& fit = *list.GetProperty("fitmethod");
  EXPECT_EQ(fit.TagValue(), Service.GetStringByID(3));
  EXPECT_FALSE(fit.IsDefault());
  EXPECT_EQ(list.GetNthName(0), "ID");
  EXPECT_EQ(list.GetNthProperty(0)->TagName(), "AcroForm");
  // Every keyword the schema uses exists in both languages.
  for (const Row& row : Expected()) {
    for (int id : row.values) EXPECT_FALSE(Service.GetStringByID(id).empty()) << id;
    if (row.def.id) {
      EXPECT_FALSE(row.def.Get().empty()) << row.def.id;
    }
    if (row.desc.id) {
      EXPECT_NE(row.desc.Get().find('['), std::string::npos) << row.desc.id;
    }
  }
}

// New lists are copies of one standard list: each follows the language and
// decimal separator in force when it is made, and a change to one list's
// schema texts never reaches another list.
TEST(StandardListCopies, FollowTheLanguageAndSeparatorAndShareNoChanges) {
  std::string englishDescription;
  {
    ModelStrings strings('.', "ENU");
    CMarkupBlockProperties english(1);
    englishDescription = english.GetProperty("Name")->TagDescription();
    EXPECT_EQ(english.GetProperty("hortabsize")->TagDefaultValue(), "7.5%");
  }
  ModelStrings strings(',', "DEU");
  CMarkupBlockProperties changed(2);
  EXPECT_NE(changed.GetProperty("Name")->TagDescription(), englishDescription);
  EXPECT_EQ(changed.GetProperty("Name")->TagDescription(), Service.GetStringByID(1019));
  EXPECT_EQ(changed.GetProperty("hortabsize")->TagDefaultValue(), "7,5%");
  EXPECT_EQ(changed.GetProperty("ID")->TagDefaultValue(), "2");
  EXPECT_EQ(changed.GetProperty("Name")->TagDefaultValue(), Service.GetStringByID(5) + "_2");

  CMarkupProperties& fit = *changed.GetProperty("fitmethod");
  const int choices = fit.GetValueListSize();
  fit.AddValueToList("extra");
  fit.TagDescription("changed");
  fit.SetDependency("textflow", "true", 1);
  changed.GetProperty("ID")->TagDefaultValue("99");

  const CMarkupBlockProperties fresh(3);
  const CMarkupProperties& freshFit = *fresh.GetProperty("fitmethod");
  EXPECT_EQ(freshFit.GetValueListSize(), choices);
  EXPECT_EQ(freshFit.TagDescription(), Service.GetStringByID(1070));
  EXPECT_EQ(freshFit.GetDependency(), nullptr);
  EXPECT_EQ(fresh.GetProperty("ID")->TagDefaultValue(), "3");

  const CMarkupBlockProperties copy(4, changed);  // a copy takes the changes
  const CMarkupProperties& copiedFit = *copy.GetProperty("fitmethod");
  EXPECT_EQ(copiedFit.GetValueListSize(), choices + 1);
  EXPECT_EQ(copiedFit.TagDescription(), "changed");
  EXPECT_NE(copiedFit.GetDependency(), nullptr);
  EXPECT_EQ(fit.GetValueListSize(), choices + 1);
}

// Keywords and the model's messages exist in the English and the German
// list; the keywords that files store are the same in both.
TEST(SchemaTexts, EveryTextOfTheModelExistsInBothLanguages) {
  std::vector<int> messages = {1083, 1018, 1099, 1196, 1162, 1002, 1055, 1142, 1143, 1034, 1015, 1037,
                               1121, 1122, 1126, 1127, 1128, 1129, 1173, 1074, 1110, 1179};
  std::vector<int> keywords = {32, 33, 34, 35, 36};
  for (const Row& row : Expected()) {
    for (const Text& text : {row.def, row.desc}) {
      if (text.id >= 1000) messages.push_back(text.id);
      if (text.id > 0 && text.id < 1000) keywords.push_back(text.id);
    }
    for (int id : row.values) (id >= 1000 ? messages : keywords).push_back(id);
  }
  std::map<int, std::string> english;
  {
    ModelStrings strings('.', "ENU");
    for (int id : messages) english[id] = Service.GetStringByID(id);
    for (int id : keywords) EXPECT_FALSE(Service.GetStringByID(id).empty()) << id;
  }
  ModelStrings strings('.', "DEU");
  for (int id : messages) {
    const std::string& german = Service.GetStringByID(id);
    EXPECT_FALSE(german.empty()) << id;
    EXPECT_FALSE(english[id].empty()) << id;
    EXPECT_EQ(german.find('[') == std::string::npos, english[id].find('[') == std::string::npos) << id;
  }
  for (int id : {1173, 1074, 1110, 1179}) EXPECT_EQ(Service.GetStringByID(id), english[id]) << id;
  EXPECT_EQ(english[1173], "Text");
  EXPECT_EQ(Service.GetStringByID(1128), "Zahl");  // the German list was read
  EXPECT_EQ(Service.GetStringByID(54), "true");
  EXPECT_EQ(Service.GetStringByID(16), "false");
}

TEST_F(SchemaTest, TextflowDecidesWhichPropertiesCount) {
  CMarkupBlockProperties list(1);
  const auto counts = [&](const char* name) {
    const CMarkupProperties& p = *list.GetProperty(name);
    const CPropertyDependency* dependency = p.GetDependency();
    if (!dependency) return true;
    int mode = dependency->DependMode();
    if (!list.GetProperty(dependency->DependProperty())->IsValueMatchValue(dependency->DependPropertyValue())) {
      CPropertyDependency::InvertDependMode(mode);
    }
    return CPropertyDependency::Counts(mode);
  };
  EXPECT_TRUE(counts("position"));
  EXPECT_FALSE(counts("alignment"));
  EXPECT_FALSE(counts("ruler"));
  list.UpdateBoolProperty("textflow", true);
  EXPECT_FALSE(counts("position"));
  EXPECT_TRUE(counts("alignment"));
  EXPECT_TRUE(counts("tabalignchar"));
  EXPECT_FALSE(counts("ruler"));
  list.UpdateProperty("hortabmethod", std::string_view(Service.GetStringByID(40)));
  EXPECT_TRUE(counts("ruler"));
  EXPECT_TRUE(counts("tabalignment"));
  EXPECT_TRUE(counts("fontsize"));  // no dependency: always counts
}

TEST_F(SchemaTest, ClassQueryAndMatch) {
  const struct {
    PropertyClass stored, reported;
    bool text, image, pdf, unknown;
  } cases[] = {
      {0, 0, true, true, true, true},           {0x1, 0x1, true, false, false, true},
      {0x10, 0x10, true, false, false, true},    {0x20, 0x20, true, false, false, true},
      {0x40, 0x1000, true, true, true, true},    {0x100, 0x100, false, true, false, true},
      {0x200, 0x200, false, false, true, true},  {0x300, 0x300, false, true, true, true},
      {0x400, 0x400, true, true, true, true},    {0x1005, 0x1, true, false, false, true},
  };
  for (const auto& c : cases) {
    CMarkupProperties p("x", "", "", c.stored, 0);
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(p.GetClass(), c.reported);
    EXPECT_EQ(p.IsMatchClass(PropText), c.text);
    EXPECT_EQ(p.IsMatchClass(PropImage), c.image);
    EXPECT_EQ(p.IsMatchClass(PropPDF), c.pdf);
    EXPECT_EQ(p.IsMatchClass(-1), c.unknown);
  }
}

TEST_F(SchemaTest, ShortDescriptionAndModes) {
  CMarkupBlockProperties list(1);
  EXPECT_EQ(list.GetProperty("fontsize")->TagShortDescription(0), "  points");
  EXPECT_EQ(list.GetProperty("Rect")->TagShortDescription(3), "  numbers" + Service.GetStringByID(32));
  EXPECT_EQ(list.GetProperty("Rect")->TagShortDescription(0), "  numbers" + Service.GetStringByID(36));
  EXPECT_EQ(list.GetProperty("Rect")->TagShortDescription(9), "  numbers (unknown)");
  CMarkupProperties round("r", "", "Round (mm) text", 0, 0);
  EXPECT_EQ(round.TagShortDescription(0), "  mm");
  const struct {
    PropertyMode mode;
    int typeName;
  } custom[] = {{0x1000, 1127}, {0x2000, 1128}, {0x6000, 1128}, {0x4000, 1126}, {0, 1129}};
  for (const auto& c : custom) {
    CMarkupProperties p("c", "", "", PropCustom, c.mode);
    EXPECT_EQ(p.TagShortDescription(0), "  (" + Service.GetStringByID(c.typeName) + ")");
  }
  CMarkupProperties p("m", "", "", 0, 0x3000);
  EXPECT_TRUE(p.TagHasMode(0x1000));
  EXPECT_FALSE(p.TagHasMode(0x1001));
  p.AddTagMode(0x1);
  EXPECT_TRUE(p.TagHasMode(0x1001));
  p.TagMode(0x4000);
  EXPECT_EQ(p.GetTagMode(), 0x4000u);
  EXPECT_EQ(CMarkupProperties("n", "", "", 0, 0x1000).GetTextLengthLimit(), 125);
  EXPECT_EQ(CMarkupProperties("s", "", "", 0, 0).GetTextLengthLimit(), 4096);
}

}  // namespace
