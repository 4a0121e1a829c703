#include "dialogframework/SafeResources.h"

namespace {
int gResourceScopes = 0;
}  // namespace

StAcroResourceContext::StAcroResourceContext() { ++gResourceScopes; }
StAcroResourceContext::StAcroResourceContext(const void*) { ++gResourceScopes; }
StAcroResourceContext::~StAcroResourceContext() { --gResourceScopes; }
int StAcroResourceContext::Depth() { return gResourceScopes; }

StADMResourceContext::StADMResourceContext() = default;
StADMResourceContext::StADMResourceContext(const void*) {}
StADMResourceContext::~StADMResourceContext() = default;
