#include <gtest/gtest.h>

#include <set>

#include "host/HostError.h"
#include "support/HostHarness.h"
#include "viewer/core/AtomTable.h"
#include "viewer/core/ErrorTexts.h"

namespace {

using korvid::testing::HostHarness;

TEST(Atoms, EqualTextsGiveEqualAtomsAndAFullTableRaises) {
  viewer::AtomTable atoms(3);
  const host::ASAtom tool = atoms.Intern("MarkupContent");
  EXPECT_EQ(atoms.Intern("MarkupContent"), tool);
  EXPECT_NE(atoms.Intern("Widget"), tool);
  EXPECT_EQ(atoms.Text(tool), "MarkupContent");
  EXPECT_EQ(atoms.Find("nothing yet"), host::ASAtomNull);
  atoms.Intern("");
  try {
    atoms.Intern("one too many");
    FAIL() << "no error";
  } catch (const host::HostError& e) {
    EXPECT_EQ(e.Code(), host::kErrAtomTableFull);
  }
  EXPECT_EQ(atoms.Intern("Widget"), atoms.Find("Widget"));  // existing texts still answer
}

TEST(Atoms, TheCoreTableServesTheHostsAtoms) {
  HostHarness harness;
  host::CoreTable& core = harness.Host().Core();
  const host::ASAtom a = core.AtomFromString("Zolt:MarkUp_Content");
  EXPECT_EQ(core.AtomExistsForString("Zolt:MarkUp_Content"), a);
  EXPECT_EQ(core.AtomGetString(a), "Zolt:MarkUp_Content");
  EXPECT_THROW(core.AtomGetString(0xFFFE), host::HostError);
}

TEST(ErrorTexts, EveryCodeHasItsOwnText) {
  std::set<std::string> texts;
  for (int code = host::kErrNone; code <= host::kErrDocumentClosed; ++code) {
    const std::string text = viewer::HostErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_TRUE(texts.insert(text).second) << "shared text for " << code;
  }
  EXPECT_NE(viewer::HostErrorText(999).find("999"), std::string::npos);
}

TEST(Tables, AnsweredByNameAndMinimumVersion) {
  HostHarness harness;
  host::CoreTable& core = harness.Host().Core();
  struct Case {
    const char* name;
    host::TableVersion asked;
    bool served;
  };
  const Case cases[] = {
      {"AcroView", 0x60000, true},  {"AcroView", 0x70000, false}, {"Core", 0x50000, true},
      {"PDSysFont", 0x40000, true}, {"Macintosh", 0x20002, true}, {"AcroViewSweetPea", 0x50000, true},
      {"Forms", 0x10002, false},    {"NoSuchTable", 0, false},
  };
  for (const Case& c : cases) {
    host::HostTable* table = core.GetTable(c.name, c.asked);
    EXPECT_EQ(table != nullptr, c.served) << c.name;
    if (table) {
      EXPECT_EQ(table->TableName(), c.name);
      EXPECT_GE(table->Version(), c.asked);
    }
  }
}

TEST(Tables, AHostWithoutATableDoesNotServeIt) {
  HostHarness harness({.withoutTables = {"PDMetadata"}});
  EXPECT_EQ(harness.Host().Core().GetTable("PDMetadata", 0), nullptr);
  EXPECT_NE(harness.Host().Core().GetTable("PDModel", 0x60000), nullptr);
}

int gProvided = 0;

host::HostTable* ProvideCounting(host::TableServer*, host::TableVersion, void* table) {
  ++gProvided;
  return static_cast<host::HostTable*>(table);
}

TEST(Tables, APublishedTableIsProvidedOnFirstRequestThenKept) {
  HostHarness harness;
  host::CoreTable& core = harness.Host().Core();
  host::SelectorTable table("Zolt:MarkUp_Content", 1, 7);
  host::TableServer server("Zolt:MarkUp_Content", &ProvideCounting, nullptr, &table);
  gProvided = 0;
  ASSERT_TRUE(core.RegisterTableServer(&server, nullptr));
  EXPECT_FALSE(core.RegisterTableServer(&server, nullptr)) << "one server per name";
  EXPECT_EQ(gProvided, 0);
  EXPECT_EQ(core.GetTable("Zolt:MarkUp_Content", 1), &table);
  EXPECT_EQ(core.GetTable("Zolt:MarkUp_Content", 1), &table);
  EXPECT_EQ(core.GetTable("Zolt:MarkUp_Content", 2), nullptr);
  EXPECT_EQ(gProvided, 1);
  core.UnregisterTableServer(&server);
  EXPECT_EQ(core.GetTable("Zolt:MarkUp_Content", 1), nullptr);
}

}  // namespace
