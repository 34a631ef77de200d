// CPropGrid: the two-column list of properties (name, value) that the property panel
// shows for the page or an object. The page and the objects fill it with PropertyEntry
// rows and read the rows back by id or by name; the grid edits values in place and
// tells the panel, its nearest dialog ancestor, of changes by kRowChangedMessage.
//
// Ids: a row added gets the row count + 1. Removing a row renumbers nothing, so ids are
// unique only while rows are removed from the end (RemoveItemsFrom).
#pragma once

#include "framework/core/ObList.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/Wnd.h"
#include "propgrid/PropertyEntry.h"

class CDC;
class CPropGridItem;

// To the property panel: a row's value may have changed. wParam: the id of the row
// whose drop-down changed, or 0; lParam: the drop-down's selection, or 0.
constexpr UINT kRowChangedMessage = 0x7F5;
// The in-place editors' and the scroll bar's control ids.
constexpr UINT kEditorId = 1001;
constexpr UINT kGridScrollBarId = 1000;
constexpr int kGridRowHeight = 18;

class CPropGrid : public CWnd {
  DECLARE_DYNAMIC(CPropGrid)

 public:
  CPropGrid();
  ~CPropGrid() override;

  virtual BOOL CreateGrid(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual BOOL AddChoice(int id, const CString& choice);
  virtual BOOL AddChoice(const CString& name, const CString& choice);
  virtual void SetBackColour(COLORREF colour);
  virtual void SetTextColour(COLORREF colour);
  virtual COLORREF GetTextColour() const { return m_textColour; }
  virtual COLORREF GetBackColour() const { return m_backColour; }
  virtual BOOL SetText(int id, const CString& text);
  virtual BOOL SetText(const CString& name, const CString& text);
  virtual BOOL SetReal(int id, double value);
  virtual BOOL SetReal(const CString& name, double value);
  virtual BOOL SetNumber(int id, int value);
  virtual BOOL SetNumber(const CString& name, int value);
  virtual BOOL SetNumber2(int id, int value);
  virtual BOOL SetNumber2(const CString& name, int value);
  virtual BOOL SetFont(int id, LOGFONTA font);
  virtual BOOL SetFont(const CString& name, LOGFONTA font);
  virtual BOOL SetColour(int id, COLORREF colour);
  virtual BOOL SetColour(const CString& name, COLORREF colour);
  virtual BOOL SetFlag(int id, BOOL flag);
  virtual BOOL SetFlag(const CString& name, BOOL flag);
  virtual BOOL GetRowRect(int id, RECT* rect);
  virtual BOOL GetRowRect(const CString& name, RECT* rect);
  virtual BOOL IsRowVisible(int id);
  virtual BOOL IsRowVisible(const CString& name);
  // Takes a row already loaded; returns its id.
  virtual int AddItemObject(CPropGridItem* item);
  // A row from the entry (kind 12 with a drop arrow); returns its id.
  virtual int AddItem(const PropertyEntry* entry);
  virtual int AddSimpleItem(const CString& name, int kind, int tag);
  virtual BOOL GetText(int id, CString* text);
  virtual BOOL GetText(const CString& name, CString* text);
  virtual BOOL GetColour(int id, int* colour);
  virtual BOOL GetColour(const CString& name, int* colour);
  virtual BOOL GetFont(int id, LOGFONTA* font);
  virtual BOOL GetFont(const CString& name, LOGFONTA* font);
  virtual BOOL GetReal(int id, double* value);
  virtual BOOL GetReal(const CString& name, double* value);
  virtual BOOL GetNumber(int id, int* value);
  virtual BOOL GetNumber(const CString& name, int* value);
  virtual BOOL GetNumber2(int id, int* value);
  virtual BOOL GetNumber2(const CString& name, int* value);
  virtual BOOL GetFlag(int id, int* flag);
  virtual BOOL GetFlag(const CString& name, int* flag);
  // Kind 7 rows only (a kind-12 row's choice is read by its text).
  virtual BOOL GetSelIndex(int id, int* index);
  virtual BOOL GetSelIndex(const CString& name, int* index);
  virtual BOOL RemoveItem(int id);
  // Removes the rows id, id + 1, ... until one is missing; TRUE when any went.
  virtual BOOL RemoveItemsFrom(int id);
  // Closes every open in-place editor, storing its text.
  virtual void EndEdit();
  virtual POSITION GetHeadPosition() const { return m_items.GetHeadPosition(); }
  virtual CPropGridItem* GetNext(POSITION& pos) const;
  virtual BOOL GetEntry(int id, PropertyEntry* entry, int mode);
  virtual BOOL SetTag(int id, int tag);
  virtual int GetTag(int id);
  virtual BOOL SetEntry(int id, const PropertyEntry* entry, int mode);
  virtual BOOL HasItem(int id);
  virtual int GetItemCount() const { return m_items.GetCount(); }
  virtual void RemoveAll();

  // The same as EndEdit, for the panel.
  void CloseEditors();
  // The first row with that id or name, or null.
  CPropGridItem* FindItem(int id) const;
  CPropGridItem* FindItem(const CString& name) const;
  int GetFirstShown() const { return m_firstShown; }
  int GetDrawnCount() const { return m_drawnCount; }
  CScrollBar& GetScrollBar() { return m_scrollBar; }
  // The window told of a grid's changes: its nearest dialog ancestor, else its parent.
  static HWND PanelOf(HWND grid);
  HWND GetPanelWindow() const { return PanelOf(m_hWnd); }

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* pDC) override { return TRUE; }
  void OnSize(UINT nType, int cx, int cy) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnDestroy() override;
  void OnClose() override;

 private:
  // Lays out and draws every row into an off-screen bitmap of the DC's clip box.
  void PaintRows(CDC* dc);
  void DrawRows(CDC* dc, const CRect& client);

  int m_drawnCount = 0;
  int m_firstShown = 1;
  CScrollBar m_scrollBar;
  int m_count = 0;  // also the id counter
  COLORREF m_backColour;
  COLORREF m_textColour = 0;
  CObList m_items{10};
};
