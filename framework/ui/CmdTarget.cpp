#include "framework/ui/CmdTarget.h"

#include "framework/ui/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

void CCmdTarget::MapCommandRange(UINT first, UINT last, std::function<void(UINT)> handler) {
  AddEntry(Entry{Kind::Command, CN_COMMAND, first, last, [handler = std::move(handler)](UINT id, void*) {
                   handler(id);
                   return TRUE;
                 }});
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Latest registrations first: a derived class's handler replaces its base's.
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if (it->code != nCode || nID < it->first || nID > it->last) continue;
    if (pHandlerInfo) {
      pHandlerInfo->pTarget = this;
      return TRUE;
    }
    if (it->kind == Kind::Update) {
      auto* cmdUI = static_cast<CCmdUI*>(pExtra);
      cmdUI->m_bContinueRouting = FALSE;
      it->handler(nID, pExtra);
      return !cmdUI->m_bContinueRouting;
    }
    // The handler may destroy this object (a Close command), so copy it first.
    auto handler = it->handler;
    return handler(nID, pExtra);
  }
  return FALSE;
}
