#include "editor/ComponentSource.h"

namespace {
CComponentSource* g_source = nullptr;
}  // namespace

CComponentSource* CComponentSource::Get() { return g_source; }

CComponentSource* CComponentSource::Set(CComponentSource* source) {
  CComponentSource* previous = g_source;
  g_source = source;
  return previous;
}
