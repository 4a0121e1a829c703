#include <gtest/gtest.h>

#include <limits>

#include "viewer/pdf/PdfTestSupport.h"

namespace {

using host::CosObj;
using host::CosType;
using korvid::test::ErrorOf;
using korvid::test::OpenDoc;
using korvid::test::ScratchFolder;

// A canonical text of an object tree, to compare what was written with what
// is read back.
std::string Describe(const CosObj& obj) {
  switch (obj.Type()) {
    case CosType::Null: return "null";
    case CosType::Integer: return "int:" + std::to_string(obj.IntegerValue());
    case CosType::Real: return "real:" + std::to_string(obj.RealValue());
    case CosType::Boolean: return obj.BooleanValue() ? "true" : "false";
    case CosType::Name: return "name:" + obj.NameValue();
    case CosType::String: return "string:" + obj.StringValue();
    case CosType::Array: {
      std::string text = "[";
      for (int i = 0; i < obj.ArrayLength(); ++i) text += Describe(obj.ArrayGet(i)) + " ";
      return text + "]";
    }
    case CosType::Dict: {
      std::string text = obj.IsIndirect() ? "indirect<<" : "<<";
      obj.DictEnum([&](std::string_view key, const CosObj& value) {
        text += std::string(key) + "=" + Describe(value) + " ";
        return true;
      });
      return text + ">>";
    }
    case CosType::Stream: {
      // The writer chooses the stream's encoding: compare the data decoded.
      std::string text = "stream<<";
      obj.StreamDict().DictEnum([&](std::string_view key, const CosObj& value) {
        if (key != "Length" && key != "Filter" && key != "DecodeParms") text += std::string(key) + "=" + Describe(value) + " ";
        return true;
      });
      return text + ">>" + obj.StreamDecoded(1 << 20);
    }
  }
  return "?";
}

CosObj PieceInfoOf(viewer::pdf::PdfDocument& doc) {
  CosObj page = doc.AcquirePage(0)->GetCosObj();
  if (!page.DictKnown("PieceInfo")) page.DictPut("PieceInfo", doc.GetCosDoc()->NewDict(false, 4));
  return page.DictGet("PieceInfo");
}

TEST(CosObject, EveryKindWrittenIntoPieceInfoReadsBackAfterSaveAndReopen) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "in.pdf");
  OpenDoc open(folder / "in.pdf");
  host::CosDoc cos = open->GetCosDoc();

  using Make = std::function<CosObj()>;
  const std::vector<std::pair<std::string, Make>> kinds = {
      {"Integer", [&] { return cos->NewInteger(false, 12); }},
      {"Negative", [&] { return cos->NewInteger(false, -7); }},
      {"Wide", [&] { return cos->NewInteger(false, 1LL << 40); }},
      {"Fixed", [&] { return cos->NewFixed(false, 7 * host::fixedOne); }},
      {"Real", [&] { return cos->NewReal(false, 0.125, 3); }},
      {"True", [&] { return cos->NewBoolean(false, true); }},
      {"False", [&] { return cos->NewBoolean(false, false); }},
      {"Name", [&] { return cos->NewName(false, "Zolt.block"); }},
      {"OddName", [&] { return cos->NewName(false, "a b/c#\xC3\xA4"); }},
      {"String", [&] { return cos->NewString(false, std::string("bytes \0(\xFE\xFF)\\", 12)); }},
      {"Empty", [&] { return cos->NewString(false, ""); }},
      {"Key#1", [&] { return cos->NewName(false, "Name#2"); }},
      {"Array", [&] {
         CosObj a = cos->NewArray(false, 3);
         a.ArrayPut(0, cos->NewInteger(false, 1));
         a.ArrayPut(2, cos->NewString(false, "x"));  // index 1 stays null
         return a;
       }},
      {"Dict", [&] {
         CosObj d = cos->NewDict(false, 2);
         d.DictPut("Inner", cos->NewName(false, "V"));
         return d;
       }},
      {"IndirectDict", [&] {
         CosObj d = cos->NewDict(true, 1);
         d.DictPut("K", cos->NewFixed(false, host::FloatToFixed(12.5)));
         return d;
       }},
      {"Stream", [&] {
         CosObj dict = cos->NewDict(false, 1);
         dict.DictPut("Kind", cos->NewName(false, "Data"));
         return cos->NewStream(true, "stream data", dict);
       }},
  };
  CosObj korvid = cos->NewDict(true, 16);
  for (const auto& [key, make] : kinds) korvid.DictPut(key, make());
  PieceInfoOf(*open.doc).DictPut("Korvid", korvid);
  const std::string written = Describe(korvid);

  open->Save(host::ASPathName((folder / "out.pdf").string()), host::kPDSaveFull);
  ASSERT_TRUE(korvid::test::QpdfCheckPasses(folder / "out.pdf"));

  OpenDoc reopened(folder / "out.pdf");
  CosObj back = PieceInfoOf(*reopened.doc).DictGet("Korvid");
  EXPECT_TRUE(back.IsIndirect());
  EXPECT_EQ(Describe(back), written);
  for (const auto& [key, make] : kinds) EXPECT_EQ(back.DictGet(key).Type(), make().Type()) << key;
}

TEST(CosObject, RealsFromFixedUseTheFewestDecimalsThatKeepTheirValue) {
  ScratchFolder folder;
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  const std::vector<std::pair<double, std::string>> cases = {
      {7.0, "7.0"}, {12.5, "12.5"}, {0.1, "0.1"}, {-1.0, "-1.0"}, {1.0 / 3, "0.33333"}, {100.0, "100.0"}};
  CosObj dict = cos->NewDict(true, 8);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    dict.DictPut("R" + std::to_string(i), cos->NewFixed(false, host::FloatToFixed(cases[i].first)));
  }
  cos->Root().DictPut("Reals", dict);
  open->Save(host::ASPathName((folder / "reals.pdf").string()), 0);

  const std::string bytes = korvid::test::ReadFile(folder / "reals.pdf");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_NE(bytes.find("/R" + std::to_string(i) + " " + cases[i].second + " "), std::string::npos) << cases[i].second;
  }
  OpenDoc reopened(folder / "reals.pdf");
  CosObj back = reopened->GetCosDoc()->Root().DictGet("Reals");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(back.DictGet("R" + std::to_string(i)).FixedValue(), host::FloatToFixed(cases[i].first));
  }
}

TEST(CosObject, DictionaryEnumeratesInByteOrderOfItsKeysAndStopsWhenAsked) {
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  CosObj dict = cos->NewDict(false, 4);
  for (const char* key : {"b", "a", "C", "aa"}) dict.DictPut(key, cos->NewInteger(false, 1));
  std::vector<std::string> keys;
  EXPECT_TRUE(dict.DictEnum([&](std::string_view key, const CosObj&) {
    keys.emplace_back(key);
    return true;
  }));
  EXPECT_EQ(keys, (std::vector<std::string>{"C", "a", "aa", "b"}));

  int seen = 0;
  EXPECT_FALSE(dict.DictEnum([&](std::string_view, const CosObj&) { return ++seen < 2; }));
  EXPECT_EQ(seen, 2);
}

TEST(CosObject, ArrayPutPastTheEndExtendsWithNulls) {
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  CosObj array = cos->NewArray(false, 0);
  array.ArrayPut(3, cos->NewInteger(false, 9));
  ASSERT_EQ(array.ArrayLength(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(array.ArrayGet(i).IsNull());
  EXPECT_EQ(array.ArrayGet(3).IntegerValue(), 9);
  EXPECT_TRUE(array.ArrayGet(4).IsNull());
  EXPECT_TRUE(array.ArrayGet(-1).IsNull());
  EXPECT_EQ(ErrorOf([&] { array.ArrayPut(-1, CosObj()); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { array.ArrayPut(1 << 30, CosObj()); }), host::kErrBadParameter);
  array.ArrayInsert(0, cos->NewName(false, "first"));
  EXPECT_EQ(array.ArrayGet(0).NameValue(), "first");
  array.ArrayRemove(0);
  EXPECT_EQ(array.ArrayLength(), 4);
  EXPECT_EQ(ErrorOf([&] { array.ArrayRemove(4); }), host::kErrBadParameter);
}

TEST(CosObject, CallsOnTheWrongKindRaiseBadObjectType) {
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  const CosObj name = cos->NewName(false, "N");
  const CosObj dict = cos->NewDict(false, 0);
  const CosObj array = cos->NewArray(false, 0);
  const std::vector<std::pair<std::string, std::function<void()>>> calls = {
      {"IntegerValue of a name", [&] { name.IntegerValue(); }},
      {"RealValue of a dictionary", [&] { dict.RealValue(); }},
      {"StringValue of a name", [&] { name.StringValue(); }},
      {"NameValue of an array", [&] { array.NameValue(); }},
      {"BooleanValue of a name", [&] { name.BooleanValue(); }},
      {"ArrayGet of a dictionary", [&] { dict.ArrayGet(0); }},
      {"DictGet of an array", [&] { array.DictGet("K"); }},
      {"DictPut on a name", [&] { CosObj(name).DictPut("K", CosObj()); }},
      {"StreamDict of a dictionary", [&] { dict.StreamDict(); }},
      {"a value of the null object", [&] { CosObj().IntegerValue(); }},
  };
  for (const auto& [what, call] : calls) EXPECT_EQ(ErrorOf(call), host::kErrBadObjectType) << what;
  EXPECT_EQ(cos->NewFixed(false, 3 * host::fixedOne).IntegerValue(), 3);
  EXPECT_DOUBLE_EQ(cos->NewInteger(false, 4).RealValue(), 4.0);
}

TEST(CosObject, EveryChangeThroughTheSeamSetsNeedsSaveAndReadsDoNot) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "in.pdf");
  OpenDoc open(folder / "in.pdf");
  host::CosDoc cos = open->GetCosDoc();
  CosObj root = cos->Root();
  CosObj array = cos->NewArray(true, 2);
  root.DictPut("Arr", array);
  array.ArrayPut(0, cos->NewInteger(false, 1));

  const std::vector<std::pair<std::string, std::function<void()>>> changes = {
      {"DictPut", [&] { root.DictPut("X", cos->NewInteger(false, 1)); }},
      {"DictRemove", [&] { root.DictRemove("X"); }},
      {"ArrayPut", [&] { array.ArrayPut(1, cos->NewInteger(false, 2)); }},
      {"ArrayInsert", [&] { array.ArrayInsert(0, cos->NewInteger(false, 3)); }},
      {"ArrayRemove", [&] { array.ArrayRemove(0); }},
      {"new indirect object", [&] { cos->NewDict(true, 0); }},
      {"Destroy", [&] { cos->NewDict(true, 0).Destroy(); }},
  };
  for (const auto& [what, change] : changes) {
    open->ClearFlags(host::kPDDocNeedsSave);
    change();
    EXPECT_TRUE(open->Flags() & host::kPDDocNeedsSave) << what;
  }

  const std::vector<std::pair<std::string, std::function<void()>>> reads = {
      {"DictGet", [&] { root.DictGet("Pages"); }},
      {"DictEnum", [&] { root.DictEnum([](std::string_view, const CosObj&) { return true; }); }},
      {"ArrayGet", [&] { array.ArrayGet(0); }},
      {"new direct object", [&] { cos->NewDict(false, 0); }},
      {"AcquirePage", [&] { open->AcquirePage(0)->CropBox(); }},
  };
  for (const auto& [what, read] : reads) {
    open->ClearFlags(host::kPDDocNeedsSave);
    read();
    EXPECT_FALSE(open->Flags() & host::kPDDocNeedsSave) << what;
  }
}

TEST(CosObject, SameObjectComparesIndirectObjectsByNumberAndDirectOnesByPlace) {
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  CosObj holder = cos->NewDict(true, 2);
  CosObj indirect = cos->NewDict(true, 0);
  holder.DictPut("I", indirect);
  holder.DictPut("D", cos->NewDict(false, 0));
  holder.DictPut("E", cos->NewDict(false, 0));
  EXPECT_TRUE(holder.DictGet("I") == indirect);
  EXPECT_TRUE(holder.DictGet("D") == holder.DictGet("D"));
  EXPECT_FALSE(holder.DictGet("D") == holder.DictGet("E"));
  EXPECT_TRUE(holder.DictGet("I").IsIndirect());
  EXPECT_FALSE(holder.DictGet("D").IsIndirect());
  EXPECT_TRUE(holder.Doc() == cos);
}

TEST(CosObject, DecodedStreamStopsAtTheLimit) {
  ScratchFolder folder;
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  const std::string data(1 << 20, 'x');
  cos->Root().DictPut("Big", cos->NewStream(true, data, CosObj()));
  open->Save(host::ASPathName((folder / "big.pdf").string()), 0);  // the writer compresses it

  OpenDoc reopened(folder / "big.pdf");
  CosObj stream = reopened->GetCosDoc()->Root().DictGet("Big");
  EXPECT_LT(stream.StreamLength(), 1 << 16);
  bool truncated = false;
  EXPECT_EQ(stream.StreamDecoded(100, &truncated), std::string(100, 'x'));
  EXPECT_TRUE(truncated);
  EXPECT_EQ(stream.StreamDecoded(2 << 20, &truncated), data);
  EXPECT_FALSE(truncated);
}

TEST(CosObject, DestroyRemovesIndirectObjectsAndEmptiesDirectOnes) {
  OpenDoc open;
  host::CosDoc cos = open->GetCosDoc();
  CosObj holder = cos->NewDict(true, 2);
  CosObj action = cos->NewDict(true, 1);
  action.DictPut("S", cos->NewName(false, "JavaScript"));
  holder.DictPut("A", action);
  holder.DictPut("D", cos->NewDict(false, 1));
  holder.DictGet("D").DictPut("K", cos->NewInteger(false, 1));

  action.Destroy();
  EXPECT_TRUE(holder.DictGet("A").IsNull());
  holder.DictGet("D").Destroy();
  EXPECT_FALSE(holder.DictGet("D").DictKnown("K"));
}

TEST(CosObject, PutsThatWouldBreakTheDocumentAreRefused) {
  OpenDoc open;
  OpenDoc other;
  host::CosDoc cos = open->GetCosDoc();
  CosObj dict = cos->NewDict(false, 1);
  CosObj inner = cos->NewArray(false, 1);
  dict.DictPut("Inner", inner);
  EXPECT_EQ(ErrorOf([&] { dict.DictPut("Self", dict); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { inner.ArrayPut(0, dict); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { dict.DictPut("Foreign", other->GetCosDoc()->NewDict(true, 0)); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { dict.DictPut(std::string("a\0b", 3), CosObj()); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { cos->NewReal(false, std::numeric_limits<double>::infinity(), 2); }), host::kErrBadParameter);
  dict.DictPut("Scalar", other->GetCosDoc()->NewInteger(false, 5));  // direct scalars belong to no document
  EXPECT_EQ(dict.DictGet("Scalar").IntegerValue(), 5);
}

TEST(CosObject, HandlesOfAClosedDocumentRaiseDocumentClosed) {
  auto open = std::make_unique<OpenDoc>();
  CosObj root = open->doc->GetCosDoc()->Root();
  open->doc.reset();
  EXPECT_EQ(ErrorOf([&] { root.DictGet("Pages"); }), host::kErrDocumentClosed);
  EXPECT_EQ(ErrorOf([&] { root.Type(); }), host::kErrDocumentClosed);
}

}  // namespace
