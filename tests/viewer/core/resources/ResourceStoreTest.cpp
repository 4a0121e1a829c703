#include <gtest/gtest.h>

#include "host/HostError.h"
#include "viewer/core/resources/DialogLayout.h"
#include "viewer/core/resources/ResourceStore.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/core/resources/XpmImage.h"

namespace viewer {
namespace {

using testing::FakeModule;
using testing::MakeBlob;

const host::ExtensionID kModule = FakeModule(1);

const char kCursorXpm[] =
    "/* XPM */\n"
    "static const char *move[] = {\n"
    "\"3 2 2 1 1 0\",\n"
    "\". c None\",\n"
    "\"# c #000000\",\n"
    "\".#.\",\n"
    "\"###\"};\n";

const char kIconXpm[] =
    "/* XPM */\n"
    "static const char *logo[] = {\n"
    "/* values */\n"
    "\"2 1 1 2\",\n"
    "\"ab c #FF0000\",\n"
    "\"abab\"};\n";

TEST(ResourceStoreTest, StringListsMergeTheirPartsAndCountFromTheirBase) {
  ResourceStore store;
  store.AddModule(kModule, MakeBlob({
                               {"strings/128.txt", "# keywords\n1\tfirst\n54\ttrue\n"},
                               {"strings/129-menus.txt", "@base 1000\r\n1003\tUndo\\tall\r\n\r\n"},
                               {"strings/129-alerts.txt", "@base 1000\n1024\tWrong version:\\n%i\n1025\t\n"},
                           }));
  EXPECT_EQ(store.String(kModule, 128, 54), "true");
  EXPECT_EQ(store.String(kModule, 129, 3), "Undo\tall");
  EXPECT_EQ(store.String(kModule, 129, 24), "Wrong version:\n%i");
  EXPECT_EQ(store.String(kModule, 129, 25), "");
  EXPECT_EQ(store.String(kModule, 129, 1003), std::nullopt);
  EXPECT_EQ(store.String(kModule, 130, 3), std::nullopt);
  EXPECT_EQ(store.String(FakeModule(2), 128, 1), std::nullopt);
}

TEST(ResourceStoreTest, LayoutKeepsEveryPartOfTheDialogAndItsItems) {
  const std::string text =
      "# the properties dialog\n"
      "dialog \"Zolt:Properties\" 1128\n"
      "style 10\n"
      "size 520 400\n"
      "position 40 30\n"
      "title \"Eigenschaften \\\"Block\\\"\"\n"
      "cancel 9\n"
      "item 1 button 430 370 80 22 \"OK\" tip=\"Übernehmen\"\n"
      "item 4 popup 10 10 120 20 value=2  # the unit\n"
      "  entry \"Punkte\" id=7\n"
      "  separator\n"
      "  entry \"Zoll\" disabled picture=130 icons=\"Zolt:Logo\"\n"
      "item 5 \"ADM Text Edit Type\" 10 40 200 20 maxlength=125 hidden\n"
      "item 6 slider 10 70 200 20 min=0 max=100 value=50 small=50 large=50 disabled\n"
      "item 7 radio 10 100 80 20 \"A\" checked\n"
      "item 8 radio 10 120 80 20 \"B\"\n"
      "item 9 button 300 370 80 22 \"Cancel\"\n"
      "item 10 radio 10 140 80 20 \"C\"\n";
  ResourceStore store;
  store.AddModule(kModule, MakeBlob({{"dialogs/1128.dlg", text}}));

  const DialogLayout* layout = store.Layout(kModule, "Zolt:Properties", 1128);
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(store.Layout(kModule, "Zolt:Other", 1128), nullptr);
  EXPECT_EQ(store.Layout(kModule, "", 1128), layout);
  EXPECT_EQ(store.Data(kModule, "dialog", 1128), text);
  EXPECT_EQ(layout->style, 10);
  EXPECT_EQ(layout->width, 520);
  EXPECT_EQ(layout->height, 400);
  EXPECT_EQ(layout->position->h, 40);
  EXPECT_EQ(layout->title, "Eigenschaften \"Block\"");
  EXPECT_EQ(layout->defaultItem, 1);
  EXPECT_EQ(layout->cancelItem, 9);
  ASSERT_EQ(layout->items.size(), 8u);

  const ItemLayout& ok = *layout->Item(1);
  EXPECT_EQ(ok.typeName, host::adm::kTextPushButtonType);
  EXPECT_EQ(ok.bounds, (host::ADMRect{370, 430, 392, 510}));
  EXPECT_EQ(ok.text, "OK");
  EXPECT_EQ(ok.tip, "Übernehmen");

  const ItemLayout& units = *layout->Item(4);
  ASSERT_EQ(units.entries.size(), 3u);
  EXPECT_EQ(units.entries[0].id, 7);
  EXPECT_TRUE(units.entries[1].separator);
  EXPECT_TRUE(units.entries[2].disabled);
  EXPECT_EQ(units.entries[2].picture, 130);
  EXPECT_EQ(units.entries[2].pictureFamily, "Zolt:Logo");
  EXPECT_EQ(units.value, 2);

  const ItemLayout& name = *layout->Item(5);
  EXPECT_EQ(name.typeName, host::adm::kTextEditType);
  EXPECT_EQ(name.maxTextLength, 125);
  EXPECT_TRUE(name.hidden);

  const ItemLayout& slider = *layout->Item(6);
  EXPECT_EQ(slider.minValue, 0);
  EXPECT_EQ(slider.maxValue, 100);
  EXPECT_EQ(slider.smallIncrement, 50);
  EXPECT_TRUE(slider.disabled);

  // Adjacent radio buttons form a group; one apart from them is another.
  EXPECT_TRUE(layout->Item(7)->checked);
  EXPECT_EQ(layout->Item(7)->radioGroup, layout->Item(8)->radioGroup);
  EXPECT_NE(layout->Item(8)->radioGroup, layout->Item(10)->radioGroup);
  EXPECT_NE(layout->Item(10)->radioGroup, 0);
}

TEST(ResourceStoreTest, CursorsHaveHotSpotsAndIconsComeAloneOrInNamedFamilies) {
  ResourceStore store;
  store.AddModule(kModule, MakeBlob({{"cursors/128.xpm", kCursorXpm},
                                     {"icons/128.xpm", kIconXpm},
                                     {"icons/Zolt:Logo/130.xpm", kIconXpm},
                                     {"help/readme.txt", "not a resource"}}));
  const XpmImage* cursor = store.Image(kModule, "cursor", 128);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->width, 3);
  EXPECT_EQ(cursor->height, 2);
  ASSERT_TRUE(cursor->hotSpot);
  EXPECT_EQ(cursor->hotSpot->h, 1);
  EXPECT_EQ(store.Data(kModule, "cursor", 128), kCursorXpm);
  EXPECT_EQ(store.Data(kModule, "icon", 128), kIconXpm);
  EXPECT_EQ(store.Data(kModule, "icon", 130, "Zolt:Logo"), kIconXpm);
  EXPECT_EQ(store.Data(kModule, "icon", 130), std::nullopt);
  EXPECT_EQ(store.Data(kModule, "cursor", 129), std::nullopt);
}

struct BadResource {
  const char* what;
  testing::ResourceFiles files;
  const char* message;  // part of the error text: file, line, reason
};

class BadResourceTest : public ::testing::TestWithParam<BadResource> {};

TEST_P(BadResourceTest, IsRefusedWithFileAndLineAndLeavesTheStoreAsItWas) {
  ResourceStore store;
  store.AddModule(kModule, MakeBlob({{"strings/129.txt", "1\tkept\n"}}));
  try {
    store.AddModule(kModule, MakeBlob(GetParam().files));
    FAIL() << "accepted";
  } catch (const host::HostError& e) {
    EXPECT_EQ(e.Code(), host::kErrBadFile);
    EXPECT_NE(e.Detail().find(GetParam().message), std::string::npos) << e.Detail();
  }
  EXPECT_EQ(store.String(kModule, 129, 1), "kept");
}

const char kDialogHead[] = "dialog \"D\" 128\nsize 100 100\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, BadResourceTest,
    ::testing::Values(
        BadResource{"DuplicateAcrossParts",
                    {{"strings/129-a.txt", "@base 1000\n\n1003\tA\n"}, {"strings/129-b.txt", "3\tB\n"}},
                    "strings/129-b.txt:1: entry 3 of list 129 is already defined at strings/129-a.txt:3"},
        BadResource{"DuplicateInFile", {{"strings/128.txt", "1\ta\n1\tb\n"}}, "strings/128.txt:2: number 1 is already"},
        BadResource{"NoTab", {{"strings/128.txt", "1 text\n"}}, "strings/128.txt:1: expected"},
        BadResource{"LateBase", {{"strings/128.txt", "1\ta\n@base 1000\n"}}, "strings/128.txt:2: \"@base\" must"},
        BadResource{"NotUTF8", {{"strings/128.txt", "1\t\xC3\n"}}, "strings/128.txt:1: text is not UTF-8"},
        BadResource{"ShortItemLine",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 button 10 10 80\n"}},
                    "dialogs/128.dlg:3: expected: item ID KIND"},
        BadResource{"UnknownKind",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 knob 0 0 1 1\n"}},
                    "dialogs/128.dlg:3: unknown item kind \"knob\""},
        BadResource{"UnknownOption",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 edit 0 0 1 1 maxlen=3\n"}},
                    "dialogs/128.dlg:3: unknown option \"maxlen\""},
        BadResource{"EntryOutsideList",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 edit 0 0 1 1\nentry \"x\"\n"}},
                    "dialogs/128.dlg:4: entry outside a list item"},
        BadResource{"ValueOnSeparator",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 popup 0 0 1 1 value=0\nseparator\n"}},
                    "dialogs/128.dlg:3: value names a separator"},
        BadResource{"TwoCheckedRadios",
                    {{"dialogs/128.dlg",
                      std::string(kDialogHead) + "item 1 radio 0 0 1 1 checked\nitem 2 radio 0 0 1 1 checked\n"}},
                    "dialogs/128.dlg:4: a second checked radio"},
        BadResource{"OpenQuote", {{"dialogs/128.dlg", "dialog \"D 128\n"}}, "dialogs/128.dlg:1: text without a closing"},
        BadResource{"IDDiffersFromFile", {{"dialogs/129.dlg", kDialogHead}}, "dialogs/129.dlg:1: dialog ID 128 differs"},
        BadResource{"NoSize", {{"dialogs/128.dlg", "dialog \"D\" 128\n"}}, "dialogs/128.dlg: no size line"},
        BadResource{"ItemTwice",
                    {{"dialogs/128.dlg", std::string(kDialogHead) + "item 1 frame 0 0 1 1\nitem 1 frame 0 0 1 1\n"}},
                    "dialogs/128.dlg:4: item 1 is defined twice"},
        BadResource{"MisnamedLayout", {{"dialogs/props.dlg", kDialogHead}}, "dialogs/props.dlg: file name must"},
        BadResource{"CursorWithoutHotSpot", {{"cursors/128.xpm", kIconXpm}}, "cursors/128.xpm: a cursor needs a hot spot"},
        BadResource{"RowTooShort",
                    {{"icons/1.xpm", "/* XPM */\n{\"2 1 1 1\",\n\"a c red\",\n\"a\"}\n"}},
                    "icons/1.xpm:4: row is not 2 pixels wide"},
        BadResource{"UndefinedColour",
                    {{"icons/1.xpm", "/* XPM */\n{\"2 1 1 1\",\n\"a c red\",\n\"ab\"}\n"}},
                    "icons/1.xpm:4: row uses an undefined colour"},
        BadResource{"NotXpm", {{"icons/1.xpm", "\x89PNG"}}, "icons/1.xpm:1: an XPM image must start"}),
    [](const ::testing::TestParamInfo<BadResource>& info) { return std::string(info.param.what); });

// Blobs that MakeBlob cannot produce.
TEST(BrokenBlobTest, IsRefusedNamingTheRecord) {
  ResourceStore store;
  const std::pair<const char*, const char*> cases[] = {
      {"strings/1.txt\n10\n1\tx\n", "record 1: strings/1.txt is cut short"},
      {"strings/1.txt\nx\n", "record 1: size \"x\""},
      {"strings/1.txt", "record 1: no end to the path line"},
      {"strings/1.txt\n0\nstrings/1.txt\n0\n", "record 2: strings/1.txt occurs twice"},
  };
  for (const auto& [blob, message] : cases) {
    try {
      store.AddModule(kModule, blob);
      ADD_FAILURE() << "accepted: " << message;
    } catch (const host::HostError& e) {
      EXPECT_NE(e.Detail().find(message), std::string::npos) << e.Detail();
    }
  }
}

}  // namespace
}  // namespace viewer
