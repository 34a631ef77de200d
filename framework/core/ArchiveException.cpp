#include "framework/core/ArchiveException.h"

CString CArchiveException::GetErrorMessage() const {
  static const char* const kText[] = {
      "未知错误",              // none
      "文件格式错误",          // genericException
      "文件只能读取",          // readOnly
      "文件意外结束",          // endOfFile
      "文件只能写入",          // writeOnly
      "文件中的对象引用无效",  // badIndex
      "文件中有未知的对象类",  // badClass
      "文件中的对象版本不符",  // badSchema
  };
  CString text = (m_cause >= none && m_cause <= badSchema) ? kText[m_cause] : kText[genericException];
  if (!m_strFileName.IsEmpty()) text = m_strFileName + ": " + text;
  return text;
}
