// Scopes that make the plug-in's resources the ones the host and its dialog
// manager search. Resources are embedded in each module and always looked up
// through the plug-in that asks for them, so there is no current resource
// file to switch: the scopes keep their place in the code (a dialog opened
// from another plug-in's call still finds its own layouts) and only count
// how deeply they are nested.
#pragma once

class StAcroResourceContext {
 public:
  StAcroResourceContext();
  explicit StAcroResourceContext(const void* resourceFile);
  ~StAcroResourceContext();
  StAcroResourceContext(const StAcroResourceContext&) = delete;
  StAcroResourceContext& operator=(const StAcroResourceContext&) = delete;

  // Scopes alive right now.
  static int Depth();
};

class StADMResourceContext {
 public:
  StADMResourceContext();
  explicit StADMResourceContext(const void* resourceChain);
  ~StADMResourceContext();
  StADMResourceContext(const StADMResourceContext&) = delete;
  StADMResourceContext& operator=(const StADMResourceContext&) = delete;

 private:
  StAcroResourceContext acroContext_;
};
