// CCmdTarget: an object that commands are routed to. Each object keeps a small table
// from command ids (and notification codes) to its handlers, filled by its
// constructors through the Map... functions; a derived class's entries are added
// later and win over its base's. OnCmdMsg looks in the table and routes on: a view to
// its document, a frame to its active view first, and so on.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Object.h"
#include "framework/ui/UiDefs.h"

class CCmdUI;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Runs the handler for nID/nCode (see CN_COMMAND in UiDefs.h) and returns TRUE when
  // one handled it. With pHandlerInfo, only says whether a handler exists.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

 protected:
  // Handler registration, for the constructors of derived classes.
  template <class T>
  void MapCommand(UINT id, void (T::*handler)()) {
    MapCommandRange(id, id, [this, handler](UINT) { (static_cast<T*>(this)->*handler)(); });
  }
  template <class T>
  void MapCommandRange(UINT first, UINT last, void (T::*handler)(UINT)) {
    MapCommandRange(first, last, [this, handler](UINT id) { (static_cast<T*>(this)->*handler)(id); });
  }
  // A handler that returns FALSE leaves the command to the next target.
  template <class T>
  void MapCommandEx(UINT id, BOOL (T::*handler)(UINT)) {
    MapCommandExRange(id, id, handler);
  }
  template <class T>
  void MapCommandExRange(UINT first, UINT last, BOOL (T::*handler)(UINT)) {
    AddEntry(Entry{Kind::CommandEx, CN_COMMAND, first, last,
                   [this, handler](UINT id, void*) { return (static_cast<T*>(this)->*handler)(id); }});
  }
  template <class T>
  void MapUpdateCommandUI(UINT id, void (T::*handler)(CCmdUI*)) {
    MapUpdateCommandUIRange(id, id, handler);
  }
  template <class T>
  void MapUpdateCommandUIRange(UINT first, UINT last, void (T::*handler)(CCmdUI*)) {
    AddEntry(Entry{Kind::Update, CN_UPDATE_COMMAND_UI, first, last, [this, handler](UINT, void* extra) {
                     (static_cast<T*>(this)->*handler)(static_cast<CCmdUI*>(extra));
                     return TRUE;
                   }});
  }
  // A WM_COMMAND notification code from a control (BN_CLICKED is the same as a command).
  template <class T>
  void MapControl(UINT notifyCode, UINT id, void (T::*handler)()) {
    AddEntry(Entry{Kind::Command, static_cast<int>(notifyCode), id, id, [this, handler](UINT, void*) {
                     (static_cast<T*>(this)->*handler)();
                     return TRUE;
                   }});
  }
  // A WM_NOTIFY code from the control with that id.
  template <class T>
  void MapNotify(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*)) {
    AddEntry(Entry{Kind::Notify, NotifyCode(code), id, id, [this, handler](UINT, void* extra) {
                     auto* notify = static_cast<AFX_NOTIFY*>(extra);
                     (static_cast<T*>(this)->*handler)(notify->pNMHDR, notify->pResult);
                     return TRUE;
                   }});
  }
  template <class T>
  void MapNotifyRange(UINT code, UINT first, UINT last, void (T::*handler)(UINT, NMHDR*, LRESULT*)) {
    AddEntry(Entry{Kind::Notify, NotifyCode(code), first, last, [this, handler](UINT id, void* extra) {
                     auto* notify = static_cast<AFX_NOTIFY*>(extra);
                     (static_cast<T*>(this)->*handler)(id, notify->pNMHDR, notify->pResult);
                     return TRUE;
                   }});
  }

  void MapCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);

  // The nCode under which a WM_NOTIFY code is routed.
  static int NotifyCode(UINT code) { return static_cast<int>(MAKELONG(LOWORD(code), WM_NOTIFY)); }

 private:
  enum class Kind { Command, CommandEx, Update, Notify };
  struct Entry {
    Kind kind;
    int code;
    UINT first;
    UINT last;
    std::function<BOOL(UINT id, void* extra)> handler;
  };

  void AddEntry(Entry entry) { m_entries.push_back(std::move(entry)); }

  std::vector<Entry> m_entries;
};
