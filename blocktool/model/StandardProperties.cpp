#include "blocktool/model/StandardProperties.h"

#include <cfloat>

#include "blocktool/model/Service.h"

using namespace mode;

std::string SchemaText::Resolve() const { return id ? Service.GetStringByID(id) : std::string(literal); }

namespace {

constexpr SchemaText S(int id) { return {id, ""}; }
constexpr SchemaText L(const char* text) { return {0, text}; }
constexpr SchemaRange Inclusive(float min, float max) { return {true, min, max, false}; }
constexpr SchemaRange Outside(float min, float max) { return {true, min, max, true}; }
constexpr SchemaRange kNoRange{};
constexpr SchemaDefault T = SchemaDefault::Table;

constexpr int kSubtypes[] = {1173, 1074, 1110};
constexpr int kStatus[] = {48, 49, 50};
constexpr int kFitMethods[] = {28, 3, 10, 27, 42, 15};
constexpr int kOrientations[] = {31, 14, 43, 56};
constexpr int kFontStyles[] = {20, 17, 19, 18};
constexpr int kFirstChoice[] = {3};
constexpr int kAlignChars[] = {30};
constexpr int kStamps[] = {30, 46, 47};
constexpr int kAlignments[] = {25, 9, 39, 23};
constexpr int kVerticalAligns[] = {52, 9, 7, 23};
constexpr int kTabMethods[] = {38, 55, 40};
constexpr int kLastAlignments[] = {3, 25, 9, 39, 23};
constexpr int kAdjustMethods[] = {3, 28, 10, 44, 41, 45};
constexpr int kFirstLineDists[] = {24, 8, 2, 57};
constexpr int kLastLineDists[] = {13};
constexpr int kUseBoxes[] = {26, 11, 4, 53, 1};
constexpr std::span<const int> kNone{};

// clang-format off
constexpr StandardPropertyRow kTable[] = {
  {"ID", PropGeneral, SchemaDefault::BlockID, L(""), L("Block's ID"), kNone, kNoRange, 0x100020E0},
  {"ParentID", PropGeneral, T, L("-1"), L("Parent ID"), kNone, kNoRange, 0x000020E0},
  {"SubID", PropGeneral, T, L("0"), L("Block's SubID"), kNone, kNoRange, 0x000020E0},
  {"Kids", PropGeneral, T, L("0"), L("Number of Kids"), kNone, kNoRange, 0x000020E0},
  {"AcroForm", PropGeneral, T, L("0"), L("Converted AcroForm"), kNone, kNoRange, 0x000080E0},
  {"AcroForm_Flags", PropGeneral, T, L("0"), L("Converted AcroForm flags"), kNone, kNoRange, 0x000020E0},
  {"Name", PropGeneral, SchemaDefault::BlockName, L(""), S(1019), kNone, kNoRange, 0x30001080},
  {"Type", PropGeneral, T, S(5), S(1023), kNone, kNoRange, 0x50001080},
  {"Subtype", PropGeneral, T, S(1173), S(1020), kSubtypes, kNoRange, 0x30001082},
  {"Description", PropGeneral, T, L(""), S(1017), kNone, kNoRange, 0x20000080},
  {"Locked", PropGeneral, T, S(16), S(1088), kNone, kNoRange, 0x41000081},
  {"Rect", PropGeneral, T, L("0, 0, 0, 0"), S(1036), kNone, kNoRange, 0x10106080},
  {"Status", PropGeneral, T, S(48), S(1145), kStatus, kNoRange, 0x00001002},
  {"backgroundcolor", PropGeneral, T, L(""), S(1069), kNone, kNoRange, 0x01000208},
  {"bordercolor", PropGeneral, T, L(""), S(1147), kNone, kNoRange, 0x01000208},
  {"linewidth", PropGeneral, T, L("1.0"), S(1087), kNone, Inclusive(0.001f, FLT_MAX), 0x01002000},
  {"fitmethod", PropGeneral, T, S(28), S(1070), kFitMethods, kNoRange, 0x11001002},
  {"orientate", PropGeneral, T, S(31), S(1106), kOrientations, kNoRange, 0x01001002},
  {"position", PropGeneral, T, L("2/0"), S(1116), kNone, kNoRange, 0x01306008},
  {"rotate", PropGeneral, T, L("0"), S(1134), kNone, kNoRange, 0x01002000},
  {"textflow", PropText, T, S(16), S(1171), kNone, kNoRange, 0x03000001},
  {"defaulttext", PropText, T, L(""), S(1175), kNone, kNoRange, 0x01000000},
  {"encoding", PropText, T, L(""), S(1177), kNone, kNoRange, 0x40000000},
  {"fontname", PropText, T, S(1179), S(1180), kNone, kNoRange, 0x11000008},
  {"fontsize", PropText, T, L("12.0"), S(1181), kNone, Outside(-0.001f, 0.001f), 0x11002000},
  {"fontstyle", PropText, T, S(20), S(1182), kFontStyles, kNoRange, 0x01001002},
  {"fillcolor", PropText, T, L("DeviceGray [0]"), S(1178), kNone, kNoRange, 0x01000208},
  {"strokecolor", PropText, T, L("DeviceGray [0]"), S(1192), kNone, kNoRange, 0x01000208},
  {"charspacing", PropText, T, L("0"), S(1174), kNone, kNoRange, 0x01402000},
  {"horizscaling", PropText, T, L("100%"), S(1184), kNone, Outside(-0.001f, 0.001f), 0x01402000},
  {"wordspacing", PropText, T, L("0"), S(1194), kNone, kNoRange, 0x01402000},
  {"textrendering", PropText, T, L("0"), S(1190), kNone, kNoRange, 0x01002000},
  {"textrise", PropText, T, L("0"), S(1191), kNone, kNoRange, 0x01402000},
  {"kerning", PropText, T, S(16), S(1085), kNone, kNoRange, 0x01000001},
  {"margin", PropText, T, L("2/0"), S(1091), kNone, kNoRange, 0x01306000},
  {"textformat", PropText, T, S(3), S(1183), kNone, kNoRange, 0x41001000},
  {"overline", PropText, T, S(16), S(1108), kNone, kNoRange, 0x01000001},
  {"strikeout", PropText, T, S(16), S(1146), kNone, kNoRange, 0x01000001},
  {"underline", PropText, T, S(16), S(1199), kNone, kNoRange, 0x01000001},
  {"monospace", PropText, T, L("0"), S(1097), kNone, Inclusive(0, 2048), 0x01002000},
  {"italicangle", PropText, T, L("0"), S(1084), kNone, Inclusive(-90, 90), 0x01002000},
  {"underlineposition", PropText, T, S(3), S(1197), kFirstChoice, kNoRange, 0x01403004},
  {"underlinewidth", PropText, T, S(3), S(1198), kFirstChoice, kNoRange, 0x01403004},
  {"escapesequence", PropText, T, S(16), S(1058), kNone, kNoRange, 0x01000001},
  {"alignchar", PropText, T, S(30), S(1005), kAlignChars, kNoRange, 0x01000004},
  {"stamp", PropText, T, S(30), S(1144), kStamps, kNoRange, 0x01000002},
  {"alignment", PropTextflow, T, S(25), S(1149), kAlignments, kNoRange, 0x01001002},
  {"verticalalign", PropTextflow, T, S(52), S(1172), kVerticalAligns, kNoRange, 0x01001002},
  {"fixedleading", PropTextflow, T, S(16), S(1151), kNone, kNoRange, 0x01000001},
  {"hortabsize", PropTextflow, T, L("7.5%"), S(1153), kNone, kNoRange, 0x01402000},
  {"hortabmethod", PropTextflow, T, S(38), S(1152), kTabMethods, kNoRange, 0x03001002},
  {"lastalignment", PropTextflow, T, S(3), S(1154), kLastAlignments, kNoRange, 0x01001002},
  {"leading", PropTextflow, T, L("100%"), S(1156), kNone, kNoRange, 0x01402000},
  {"parindent", PropTextflow, T, L("0"), S(1165), kNone, kNoRange, 0x01402000},
  {"rightindent", PropTextflow, T, L("0"), S(1166), kNone, kNoRange, 0x01402000},
  {"leftindent", PropTextflow, T, L("0"), S(1157), kNone, kNoRange, 0x01402000},
  {"adjustmethod", PropTextflow, T, S(3), S(1148), kAdjustMethods, kNoRange, 0x01001002},
  {"maxspacing", PropTextflow, T, L("500%"), S(1160), kNone, kNoRange, 0x01402000},
  {"minspacing", PropTextflow, T, L("50%"), S(1163), kNone, kNoRange, 0x01402000},
  {"spreadlimit", PropTextflow, T, L("0"), S(1161), kNone, kNoRange, 0x01402000},
  {"nofitlimit", PropTextflow, T, L("75%"), S(1164), kNone, kNoRange, 0x01402000},
  {"shrinklimit", PropTextflow, T, L("85%"), S(1167), kNone, kNoRange, 0x01402000},
  {"linespreadlimit", PropTextflow, T, L("200%"), S(1158), kNone, kNoRange, 0x01402000},
  {"maxlines", PropTextflow, T, S(3), S(1159), kFirstChoice, Inclusive(1, FLT_MAX), 0x01403004},
  {"firstlinedist", PropTextflow, T, S(24), S(1150), kFirstLineDists, Inclusive(0, FLT_MAX), 0x01403004},
  {"lastlinedist", PropTextflow, T, L("0"), S(1155), kLastLineDists, Inclusive(0, FLT_MAX), 0x01403004},
  {"ruler", PropTextflow, T, L("32/0"), L("Ruler_1"), kNone, kNoRange, 0x41606000},
  {"tabalignment", PropTextflow, T, L("32/left"), S(1169), kNone, kNoRange, 0x41205000},
  {"tabalignchar", PropTextflow, T, L("."), S(1168), kNone, kNoRange, 0x01000000},
  {"defaultimage", PropImage, T, L(""), S(1075), kNone, kNoRange, 0x01000408},
  {"dpi", PropImage, T, L("2/0.0"), S(1045), kNone, Inclusive(0, FLT_MAX), 0x01306000},
  {"defaultpdf", PropPDF, T, L(""), S(1112), kNone, kNoRange, 0x01000408},
  {"defaultpdfpage", PropPDF, T, L("1"), S(1111), kNone, Inclusive(1, FLT_MAX), 0x01002000},
  {"scale", PropImagePDF, T, L("2/1.0 2.0"), S(1137), kNone, kNoRange, 0x01306000},
  {"pdiusebox", PropPDF, T, S(11), S(1115), kUseBoxes, kNoRange, 0x00001002},
};

constexpr int kTrue = 54;
constexpr int kRulerMethod = 40;

constexpr StandardDependency kDependencies[] = {
  {"position", "textflow", kTrue, kDependHidden},
  {"alignment", "textflow", kTrue, kDependCountsFlow},
  {"verticalalign", "textflow", kTrue, kDependCountsFlow},
  {"fixedleading", "textflow", kTrue, kDependCountsFlow},
  {"hortabsize", "textflow", kTrue, kDependCountsFlow},
  {"hortabmethod", "textflow", kTrue, kDependCountsFlow},
  {"lastalignment", "textflow", kTrue, kDependCountsFlow},
  {"leading", "textflow", kTrue, kDependCountsFlow},
  {"parindent", "textflow", kTrue, kDependCountsFlow},
  {"rightindent", "textflow", kTrue, kDependCountsFlow},
  {"leftindent", "textflow", kTrue, kDependCountsFlow},
  {"adjustmethod", "textflow", kTrue, kDependCountsFlow},
  {"maxspacing", "textflow", kTrue, kDependCountsFlow},
  {"minspacing", "textflow", kTrue, kDependCountsFlow},
  {"spreadlimit", "textflow", kTrue, kDependCountsFlow},
  {"nofitlimit", "textflow", kTrue, kDependCountsFlow},
  {"shrinklimit", "textflow", kTrue, kDependCountsFlow},
  {"linespreadlimit", "textflow", kTrue, kDependCountsFlow},
  {"maxlines", "textflow", kTrue, kDependCountsFlow},
  {"firstlinedist", "textflow", kTrue, kDependCountsFlow},
  {"lastlinedist", "textflow", kTrue, kDependCountsFlow},
  {"tabalignchar", "textflow", kTrue, kDependCountsFlow},
  {"ruler", "hortabmethod", kRulerMethod, kDependCountsFlow},
  {"tabalignment", "hortabmethod", kRulerMethod, kDependCountsFlow},
};
// clang-format on

static_assert(std::size(kTable) == 75, "the standard list has 75 properties");

}  // namespace

std::span<const StandardPropertyRow> StandardPropertyTable() { return kTable; }
std::span<const StandardDependency> StandardDependencyTable() { return kDependencies; }
