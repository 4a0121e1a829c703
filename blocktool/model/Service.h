// The block tool's service object: resource strings and language, alerts,
// permission checks, and the text, path and rectangle utilities shared by
// the model, the collections and the dialogs.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "host/ASText.h"
#include "host/HostTypes.h"
#include "host/PD.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "blocktool/model/PropertyTypes.h"

class CMarkupBlockProperties;
class CMarkupPageCollection;
class CMarkupProperties;
namespace host {
class ADMItem;
class AVDoc;
}

class CService {
 public:
  CService();
  ~CService();
  CService(const CService&) = delete;
  CService& operator=(const CService&) = delete;

  // --- Strings and language ------------------------------------------------
  // Resource text by number: IDs below 1000 are keywords (list 128); 1000 and
  // above are messages of the localized list (localized) or the English one.
  // Never fails: a missing text is "".
  const std::string& GetStringByID(int id, bool localized = true);
  int GetLocalIDD(int id) const { return dialogOffset_ + id; }
  int GetLocalStrResID() const { return localizedList_; }
  int GetLocalID(int id) const { return id; }
  void CatchLanguage();
  // The standard property list resolved for the current language and decimal
  // separator, built once and copied by every new list; null while the
  // resource strings cannot be read yet.
  const CMarkupBlockProperties* StandardPropertyList();

  // --- Alerts ---------------------------------------------------------------
  // One note alert: the host's text for the current error code, message
  // 1060, then where. Call it from a catch block.
  void ExceptionAlert(const char* where);
  std::string GetRequiredAcrobatVersionMessage();

  // --- Permissions -------------------------------------------------------------
  bool CheckPermission(host::PDDoc* doc, unsigned long wanted);
  bool CheckDesignerDynamicRenderState(host::PDDoc* doc);

  // --- Paths -----------------------------------------------------------------
  void SetDelimiter();
  void GetSystemDelimiters(char* separator, char* alternative, std::string* current, std::string* parent) const;

  // --- Values: numbers, sequences, names and texts (ServiceText.cpp) -------
  // Strict conversions: the whole text (after leading white space) must be
  // one finite decimal number; "%i" forms also take 0x and 0 prefixes.
  bool ConvertStringToFloat(std::string_view text, float& out) const;
  bool ConvertStringToInt(std::string_view text, int& out) const;
  // Blank-separated tokens; the token after the last blank is dropped, so
  // call the wrapped Sequence forms on user text.
  void ParseStringArray(std::string_view text, std::vector<std::string>& out) const;
  int ParseStringSequence(std::string_view text, std::vector<std::string>& out) const;
  bool ParseFloatArray(std::string_view text, std::vector<float>& out, bool keepPartial) const;
  bool ParseIntArray(std::string_view text, std::vector<int>& out, bool keepPartial) const;
  int ParseFloatSequence(std::string_view text, std::vector<float>& out, bool keepPartial) const;
  int ParseIntSequence(std::string_view text, std::vector<int>& out, bool keepPartial) const;
  int GetSequenceElementsNum(std::string_view text) const;
  bool CheckPercentageValue(std::string_view text, bool percentageAllowed) const;
  // Local numbers use cDecimalSeparator.
  float GetFloatFromLocal(std::string_view text) const;
  std::string GetFloatAsLocal(std::string_view text) const;
  // A number as value text: "%.2f" when 0 or |v| >= 1, else "%.3f", made local.
  std::string RealAsLocal(double v) const;
  // A number set through a property list: "%.1f" or "%.3f", made local.
  std::string FloatAsLocalShort(double v) const;
  static float fAbs(float v) { return v < 0 ? -v : v; }
  static bool IsNullCosObj(const host::CosObj& obj) { return obj.IsNull(); }
  // Replaces "[", "]" and "/" by "_"; 1 when the text changed.
  int CheckKeyName(std::string& text, bool flag = false) const;
  std::string GetBestEncodedStringFromASText(const host::ASText& text, host::ASScript script) const;
  static std::string TrimLeft(std::string_view text);
  static std::string TrimRight(std::string_view text);
  static std::string TrimLeftRight(std::string_view text);
  // File paths are stored with "/"; 0, or -1 without a property.
  int NormalizePathProperty(CMarkupProperties* property) const;
  int ReNormalizePathProperty(CMarkupProperties* property) const;
  // Text of a stored number, name, string or boolean for a value type.
  std::string GetValueOfSimpleCosObj(const host::CosObj& obj, PropertyPDFType type);
  std::string CosNumberText(const host::CosObj& obj) const;
  // Block class of a Subtype property (Text 0x1, Image 0x100, PDF 0x200,
  // anything else -1; no property 0x1).
  PropertyClass GetSubtypeClass(const CMarkupProperties* subtype);

  // --- Pages of open documents (blocktool/collections/ServicePages.cpp) -----
  // A name for a block of collection made from sourceName: taken names get
  // separator and a counter; a name the block with ownID already has is
  // kept. Answers whether it had to be shortened to 125 bytes (shown as one
  // message when warn is set).
  bool CreateSafeUniqBlockName(const CMarkupPageCollection& collection, const std::string& sourceName,
                               std::string& outName, int ownID, std::string_view separator, bool warn);
  // The collection of the page doc's view shows, loaded on first use; none
  // for an unknown document or a page whose block format is not supported.
  CMarkupPageCollection* GetDocMarkupPageCollection(host::AVDoc* doc);
  // Whether a block of the active document's current page has this Name.
  bool IsBlockNameKnownInActivePage(std::string_view name);

  // --- Rectangles (ServiceRect.cpp) ----------------------------------------
  // A tolerance is in device units; a negative one tightens the test.
  static void OffsetRect(host::AVRect& rect, std::int64_t dx, std::int64_t dy);
  static bool PointInRect(const host::AVRect& rect, std::int64_t x, std::int64_t y);
  static bool EqualRect(const host::AVRect& a, const host::AVRect& b, int tolerance);
  static bool RectOverlaps(const host::AVRect& a, const host::AVRect& b, int tolerance);
  static bool RectInside(const host::AVRect& outer, const host::AVRect& inner, int tolerance);
  static host::AVRect UnionRect(const host::AVRect& a, const host::AVRect& b);

  // --- The Rect value as the user sees it (ServicePageUnits.cpp) ------------
  // On screen a rectangle is given from the top left corner of the current
  // page's crop box as displayed (after the page's rotation), x to the right
  // and y downwards, in the user's page unit. Without an active document, or
  // for a text that is not exactly four numbers, the text stays as it is.
  std::string TransformBlockRectPropertyToUI(std::string_view text) const;
  std::string TransformBlockRectPropertyFromUI(std::string_view text) const;
  float TransformPointsToCurrentPageUnits(float x) const;
  float TransformCurrentPageUnitsToPoints(float x) const;
  // The same for a given page (crop box, rotation in degrees) and page unit
  // (0 points, 1 inches, 2 mm, 3 cm, 4 picas).
  std::string RectToUI(std::string_view text, const host::ASFixedRect& cropBox, int rotation, int pageUnits) const;
  std::string RectFromUI(std::string_view text, const host::ASFixedRect& cropBox, int rotation, int pageUnits) const;
  static double PointsToPageUnits(double x, int pageUnits);
  static double PageUnitsToPoints(double x, int pageUnits);
  // Strips the blanks around an item's text in place; answers the text.
  std::string TrimItemText(host::ADMItem* item, host::ASScript script) const;

 private:
  char pathSeparator_ = '/';
  char alternativeSeparator_ = '/';
  std::string currentFolder_ = ".";
  std::string parentFolder_ = "..";
  int dialogOffset_ = 0;
  // Keyed by (list, ID): a text asked for in English after its localized
  // form was read must not answer the localized one.
  std::map<std::pair<int, int>, std::string> strings_;
  int localizedList_ = 129;
  std::unique_ptr<CMarkupBlockProperties> standardList_;
  std::pair<int, char> standardListKey_{};
};

extern CService Service;
