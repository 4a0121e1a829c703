// The service object's resource strings, language, alerts, permission checks
// and path delimiters.
#include "blocktool/model/Service.h"

#include <exception>
#include <string_view>

#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/MarkupBlockProperties.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"
#include "host/XfaForm.h"

CService Service;

namespace {

constexpr int kKeywordList = 128;
constexpr int kEnglishList = 129;
constexpr int kGermanList = 130;
constexpr int kFirstMessageID = 1000;
constexpr int kGermanDialogOffset = 1000;

constexpr int kRequiredVersionMessage = 1003;
constexpr int kExceptionContextMessage = 1060;

// Permission bits of a PDF permission word.
constexpr std::int32_t kPermModify = 0x008;
constexpr std::int32_t kPermCopy = 0x010;
constexpr std::int32_t kPermEditNotes = 0x020;
constexpr std::int32_t kPermAccessibility = 0x200;

bool Grants(std::int32_t permissions, std::int32_t bits) { return (permissions & bits) == bits; }

const std::string kNoText;

}  // namespace

CService::CService() { SetDelimiter(); }

CService::~CService() = default;

const std::string& CService::GetStringByID(int id, bool localized) {
  const bool keyword = id < kFirstMessageID;
  const int list = keyword ? kKeywordList : (localized ? localizedList_ : kEnglishList);
  const std::pair key{list, id};
  if (auto found = strings_.find(key); found != strings_.end()) return found->second;
  // Before the host tables are acquired there is nothing to read; caching
  // the empty text then would hide the real one for the rest of the run.
  if (!gMacintoshHFT) return kNoText;
  std::string text;
  try {
    const int index = keyword ? id : id - kFirstMessageID;
    text = gMacintoshHFT->GetResourceString(gExtensionID, list, index).value_or("");
  } catch (const std::exception&) {
    text.clear();
  }
  return strings_.emplace(key, std::move(text)).first->second;
}

void CService::CatchLanguage() {
  if (!gAcroViewHFT) return;
  const std::string code = gAcroViewHFT->LanguageCode();
  if (code == "DEU") {
    localizedList_ = kGermanList;
    dialogOffset_ = kGermanDialogOffset;
  } else if (code == "ENU" || code == "JPN" || code == "CHS") {
    localizedList_ = kEnglishList;
    dialogOffset_ = 0;
  } else {
    localizedList_ = kEnglishList;
  }
}

const CMarkupBlockProperties* CService::StandardPropertyList() {
  if (!gMacintoshHFT) return nullptr;
  const std::pair key{localizedList_, cDecimalSeparator};
  if (!standardList_ || standardListKey_ != key) {
    auto list = std::make_unique<CMarkupBlockProperties>(CMarkupBlockProperties::EmptyList{});
    list->AddStandardPropertiesFromSchema();
    standardList_ = std::move(list);
    standardListKey_ = key;
  }
  return standardList_.get();
}

void CService::ExceptionAlert(const char* where) {
  const int code = host::CurrentErrorCode();
  if (!gCoreHFT || !gAcroViewHFT) return;
  try {
    std::string text = gCoreHFT->ErrorText(code);
    text += GetStringByID(kExceptionContextMessage);
    text += where ? where : "";
    gAcroViewHFT->AlertNote(text);
  } catch (const std::exception&) {
    // Reporting runs inside a handler; a failing alert has nowhere to go.
  }
}

std::string CService::GetRequiredAcrobatVersionMessage() {
  return host::text::FormatText(GetStringByID(kRequiredVersionMessage), {kRequiredHostMajorVersion});
}

bool CService::CheckPermission(host::PDDoc* doc, unsigned long wanted) {
  if (!doc) return false;
  const std::int32_t permissions = doc->Permissions();
  if (permissions != host::kPDPermAll) {
    if ((wanted & kPermCopy) && !Grants(permissions, kPermCopy | kPermAccessibility)) return false;
    if ((wanted & (kPermModify | kPermEditNotes)) && !Grants(permissions, kPermModify | kPermEditNotes)) return false;
  }
  return CheckDesignerDynamicRenderState(doc);
}

bool CService::CheckDesignerDynamicRenderState(host::PDDoc* doc) {
  if (!doc) return true;
  try {
    return host::xfa::PermitsBlockEditing(doc->Catalog());
  } catch (const std::exception&) {
    return true;
  }
}

void CService::SetDelimiter() {
  pathSeparator_ = '/';
  alternativeSeparator_ = '/';
  currentFolder_ = ".";
  parentFolder_ = "..";
}

void CService::GetSystemDelimiters(char* separator, char* alternative, std::string* current,
                                   std::string* parent) const {
  if (separator) *separator = pathSeparator_;
  if (alternative) *alternative = alternativeSeparator_;
  if (current) *current = currentFolder_;
  if (parent) *parent = parentFolder_;
}
