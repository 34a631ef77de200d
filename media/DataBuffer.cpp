#include "media/DataBuffer.h"

#include <new>

#include "framework/core/MessageBox.h"

CDataBuffer::CDataBuffer(DWORD size, BOOL bOwns) : m_bOwns(bOwns ? TRUE : FALSE) {
  m_pData = new (std::nothrow) char[size];
  if (!m_pData) {
    AfxMessageBox("Out of memory!", MB_ICONEXCLAMATION);
    m_bOwns = FALSE;
    return;
  }
  m_nSize = size;
}

CDataBuffer::CDataBuffer(void* data, DWORD size) {
  if (!data) return;
  m_pData = static_cast<char*>(data);
  m_nSize = size;
}

CDataBuffer::~CDataBuffer() {
  if (m_bOwns) delete[] m_pData;
}
