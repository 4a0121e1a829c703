// The levels of a page's stored block tree, each a dictionary:
//
//   page  PieceInfo (direct)
//         -> Korvid (indirect): LastModified, Private
//            -> Private (direct): Version, PluginVersion, Blocks
//               -> Blocks (direct): block name -> block dictionary (indirect)
//
// Finding, making and labelling the levels, reading the format version and
// putting a freshly built tree in place of a page's old one.
#pragma once

#include <string>
#include <string_view>

#include "host/Cos.h"

class CStoredBlockTree {
 public:
  static constexpr std::string_view kPieceInfo = "PieceInfo";
  static constexpr std::string_view kKorvid = "Korvid";
  static constexpr std::string_view kLastModified = "LastModified";
  static constexpr std::string_view kPrivate = "Private";
  static constexpr std::string_view kVersion = "Version";
  static constexpr std::string_view kPluginVersion = "PluginVersion";
  static constexpr std::string_view kBlocks = "Blocks";
  static constexpr std::string_view kCustom = "Custom";
  static constexpr std::string_view kInternal = "Internal";
  // What every write and every read labels the tree with.
  static constexpr int kWrittenVersion = 7;
  static constexpr std::string_view kWrittenPluginVersion = "3.4";
  // Versions below this are read; a tree of a later format is left alone.
  static constexpr double kFirstUnsupportedVersion = 8.0;

  // Walks root (a page dictionary, or a stand-in for one while a tree is
  // built) down to the block dictionary of key. A level that is missing is
  // made when create is set, else it and everything below it is the null
  // object. Every Korvid and Private level passed is labelled again
  // (LastModified now, Version 7.0, PluginVersion "3.4").
  static host::CosObj AcquireBlockDict(host::CosDoc doc, const host::CosObj& root, std::string_view key, bool create);
  // Makes the levels of a new tree under root, labelled, down to its empty
  // Blocks dictionary, which it answers.
  static host::CosObj MakeTree(host::CosDoc doc, const host::CosObj& root);
  // The Blocks dictionary of a page; null when a level is missing or is not
  // a dictionary.
  static host::CosObj FindBlocks(const host::CosObj& pageDict);
  // The Korvid dictionary of a page (or of a tree built under a stand-in).
  static host::CosObj FindKorvid(const host::CosObj& pageDict);
  // Labels the Korvid and Private levels of a page that holds a tree.
  static void Relabel(host::CosDoc doc, const host::CosObj& pageDict);
  // The page's format version: a real or integer Version gives its value;
  // no tree, or a Version of another kind, gives 0. Raises host errors.
  static double ReadVersion(const host::CosObj& pageDict);
  static bool IsSupportedVersion(double version) { return version < kFirstUnsupportedVersion; }
  // Puts korvid (null: no tree) in place of the page's Korvid entry. Other
  // entries of PieceInfo stay; a PieceInfo left empty goes. A page whose
  // PieceInfo was touched is dated with LastModified.
  static void Install(host::CosDoc doc, const host::CosObj& pageDict, const host::CosObj& korvid);
  // Local time as "D:YYYYMMDDHHMMSS", without a zone.
  static std::string TimeStamp();

 private:
  static host::CosObj Level(host::CosDoc& doc, const host::CosObj& parent, std::string_view key, bool create,
                            bool indirect);
  static host::CosObj FindDict(const host::CosObj& parent, std::string_view key);
  static void LabelKorvid(host::CosDoc& doc, host::CosObj& korvid);
  static void LabelPrivate(host::CosDoc& doc, host::CosObj& privateDict);
};
