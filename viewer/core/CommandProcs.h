// The execute, enable and marked procedures of a command, shared by menu
// items and tool-bar buttons. Enable and marked procedures run inside a
// menu update (so what they ask of the interface waits until it is over);
// a procedure that throws counts as answering false.
#pragma once

#include "host/AV.h"
#include "viewer/core/DeferredUi.h"

namespace viewer {

class CommandProcs {
 public:
  void SetExecute(host::AVExecuteProc proc, void* clientData) {
    execute_ = proc;
    executeData_ = clientData;
  }
  void SetEnabled(host::AVComputeEnabledProc proc, void* clientData) {
    enabled_ = proc;
    enabledData_ = clientData;
  }
  void SetMarked(host::AVComputeMarkedProc proc, void* clientData) {
    marked_ = proc;
    markedData_ = clientData;
  }
  void* ExecuteData() const { return executeData_; }

  // True without an enable procedure.
  bool Enabled(DeferredUi& ui) const;
  // False without a marked procedure.
  bool Marked(DeferredUi& ui) const;
  // Runs the execute procedure (if any), now.
  void Execute() const;

 private:
  host::AVExecuteProc execute_ = nullptr;
  void* executeData_ = nullptr;
  host::AVComputeEnabledProc enabled_ = nullptr;
  void* enabledData_ = nullptr;
  host::AVComputeMarkedProc marked_ = nullptr;
  void* markedData_ = nullptr;
};

}  // namespace viewer
