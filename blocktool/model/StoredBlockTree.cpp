#include "blocktool/model/StoredBlockTree.h"

#include <cstdio>
#include <ctime>

host::CosObj CStoredBlockTree::FindDict(const host::CosObj& parent, std::string_view key) {
  if (!parent.IsDict()) return {};
  host::CosObj found = parent.DictGet(key);
  return found.IsDict() ? found : host::CosObj();
}

host::CosObj CStoredBlockTree::Level(host::CosDoc& doc, const host::CosObj& parent, std::string_view key,
                                     bool create, bool indirect) {
  if (!parent.IsDict()) return {};
  host::CosObj found = parent.DictGet(key);
  if (found.IsDict() || !create) return found.IsDict() ? found : host::CosObj();
  host::CosObj made = doc->NewDict(indirect, 1);
  host::CosObj(parent).DictPut(key, made);
  return made;
}

void CStoredBlockTree::LabelKorvid(host::CosDoc& doc, host::CosObj& korvid) {
  korvid.DictRemove(kLastModified);
  korvid.DictPut(kLastModified, doc->NewString(false, TimeStamp()));
}

void CStoredBlockTree::LabelPrivate(host::CosDoc& doc, host::CosObj& privateDict) {
  privateDict.DictPut(kVersion, doc->NewFixed(false, kWrittenVersion * host::fixedOne));
  privateDict.DictPut(kPluginVersion, doc->NewString(false, kWrittenPluginVersion));
}

host::CosObj CStoredBlockTree::AcquireBlockDict(host::CosDoc doc, const host::CosObj& root, std::string_view key,
                                                bool create) {
  const host::CosObj pieceInfo = Level(doc, root, kPieceInfo, create, false);
  host::CosObj korvid = Level(doc, pieceInfo, kKorvid, create, true);
  if (!korvid.IsNull()) LabelKorvid(doc, korvid);
  host::CosObj privateDict = Level(doc, korvid, kPrivate, create, false);
  if (!privateDict.IsNull()) LabelPrivate(doc, privateDict);
  const host::CosObj blocks = Level(doc, privateDict, kBlocks, create, false);
  return Level(doc, blocks, key, create, true);
}

host::CosObj CStoredBlockTree::MakeTree(host::CosDoc doc, const host::CosObj& root) {
  host::CosObj korvid = Level(doc, Level(doc, root, kPieceInfo, true, false), kKorvid, true, true);
  LabelKorvid(doc, korvid);
  host::CosObj privateDict = Level(doc, korvid, kPrivate, true, false);
  LabelPrivate(doc, privateDict);
  return Level(doc, privateDict, kBlocks, true, false);
}

host::CosObj CStoredBlockTree::FindBlocks(const host::CosObj& pageDict) {
  return FindDict(FindDict(FindKorvid(pageDict), kPrivate), kBlocks);
}

host::CosObj CStoredBlockTree::FindKorvid(const host::CosObj& pageDict) {
  return FindDict(FindDict(pageDict, kPieceInfo), kKorvid);
}

void CStoredBlockTree::Relabel(host::CosDoc doc, const host::CosObj& pageDict) {
  host::CosObj korvid = FindKorvid(pageDict);
  if (korvid.IsNull()) return;
  LabelKorvid(doc, korvid);
  host::CosObj privateDict = FindDict(korvid, kPrivate);
  if (!privateDict.IsNull()) LabelPrivate(doc, privateDict);
}

double CStoredBlockTree::ReadVersion(const host::CosObj& pageDict) {
  const host::CosObj privateDict = FindDict(FindKorvid(pageDict), kPrivate);
  if (privateDict.IsNull()) return 0;
  const host::CosObj version = privateDict.DictGet(kVersion);
  if (version.Type() != host::CosType::Integer && version.Type() != host::CosType::Real) return 0;
  return version.RealValue();
}

void CStoredBlockTree::Install(host::CosDoc doc, const host::CosObj& pageDict, const host::CosObj& korvid) {
  host::CosObj page = pageDict;
  host::CosObj pieceInfo = page.DictGet(kPieceInfo);
  if (!pieceInfo.IsDict()) {
    if (korvid.IsNull()) return;
    pieceInfo = doc->NewDict(false, 1);
  } else if (pieceInfo.IsIndirect()) {
    // Another page may share it; this page's tree must not become theirs.
    host::CosObj own = doc->NewDict(false, 1);
    pieceInfo.DictEnum([&own](std::string_view key, const host::CosObj& value) {
      own.DictPut(key, value);
      return true;
    });
    pieceInfo = own;
  }
  if (korvid.IsNull()) {
    pieceInfo.DictRemove(kKorvid);
  } else {
    pieceInfo.DictPut(kKorvid, korvid);
  }
  const bool empty = pieceInfo.DictEnum([](std::string_view, const host::CosObj&) { return false; });
  if (empty) {
    page.DictRemove(kPieceInfo);
  } else {
    page.DictPut(kPieceInfo, pieceInfo);
  }
  page.DictPut(kLastModified, doc->NewString(false, TimeStamp()));
}

std::string CStoredBlockTree::TimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::snprintf(text, sizeof text, "D:%04i%02i%02i%02i%02i%02i", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}
