// The block tool's service object: resource strings and language, alerts,
// permission checks, and the text, path and rectangle utilities shared by
// the model, the collections and the dialogs.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "host/ASText.h"
#include "host/HostTypes.h"
#include "host/PD.h"

class CService {
 public:
  CService();

  // --- Strings and language ------------------------------------------------
  // Resource text by number: IDs below 1000 are keywords (list 128); 1000 and
  // above are messages of the localized list (localized) or the English one.
  // Never fails: a missing text is "".
  const std::string& GetStringByID(int id, bool localized = true);
  int GetLocalIDD(int id) const { return dialogOffset_ + id; }
  int GetLocalStrResID() const { return localizedList_; }
  int GetLocalID(int id) const { return id; }
  void CatchLanguage();

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
};

extern CService Service;
