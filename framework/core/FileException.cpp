#include "framework/core/FileException.h"

CFileException::Cause CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

void CFileException::ThrowOsError(LONG osError, const CString& fileName) {
  throw CFileException(OsErrorToException(osError), osError, fileName);
}

CString CFileException::GetErrorMessage() const {
  static const char* const kText[] = {
      "未知错误",          // none
      "文件操作失败",      // genericException
      "找不到文件",        // fileNotFound
      "路径无效",          // badPath
      "打开的文件过多",    // tooManyOpenFiles
      "拒绝访问",          // accessDenied
      "文件句柄无效",      // invalidFile
      "不能删除当前目录",  // removeCurrentDir
      "目录已满",          // directoryFull
      "文件定位错误",      // badSeek
      "读写设备出错",      // hardIO
      "文件正被其他程序使用",  // sharingViolation
      "文件区域已被锁定",  // lockViolation
      "磁盘已满",          // diskFull
      "文件意外结束",      // endOfFile
  };
  CString text = (m_cause >= none && m_cause <= endOfFile) ? kText[m_cause] : kText[genericException];
  if (!m_strFileName.IsEmpty()) text = m_strFileName + ": " + text;
  return text;
}
