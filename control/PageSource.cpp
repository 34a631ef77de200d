#include "control/PageSource.h"

#include <windows.h>

#include <string>

#include "framework/core/Codepage.h"

namespace {

const char kPageExtension[] = ".rvx";

bool StartsNoCase(const CString& text, const char* prefix) {
  const int length = static_cast<int>(strlen(prefix));
  return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

bool IsPageName(const CString& name) {
  const int length = static_cast<int>(sizeof kPageExtension - 1);
  return name.GetLength() > length && name.Right(length).CompareNoCase(kPageExtension) == 0;
}

bool IsDrivePath(const CString& path) {
  return path.GetLength() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

bool IsNetworkPath(const CString& path) {
  return path.GetLength() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A run of escapes that stands for characters beyond ASCII is UTF-8, as browsers write
// file addresses; it becomes the system code page of the rest of the address.
std::string DecodeEscapeRun(const std::string& bytes) {
  bool ascii = true;
  for (unsigned char c : bytes) ascii = ascii && c < 0x80;
  if (ascii) return bytes;
  const int count = static_cast<int>(bytes.size());
  const int wideCount = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
  if (wideCount <= 0) return bytes;  // already in the system code page
  std::wstring wide(static_cast<size_t>(wideCount), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), count, &wide[0], wideCount);
  return codepage::FromWide(wide);
}

CString PercentDecode(const CString& text) {
  const std::string& in = text.str();
  std::string out, run;
  for (size_t i = 0; i < in.size();) {
    const int high = i + 2 < in.size() && in[i] == '%' ? HexDigit(in[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(in[i + 2]) : -1;
    if (low >= 0) {
      run += static_cast<char>(high * 16 + low);
      i += 3;
      continue;
    }
    out += DecodeEscapeRun(run);
    run.clear();
    out += in[i++];
  }
  out += DecodeEscapeRun(run);
  // A NUL cut the path short of what it names.
  if (out.find('\0') != std::string::npos) return CString();
  return CString(out);
}

// The address without its query and fragment.
CString WithoutQuery(const CString& address) {
  int end = address.GetLength();
  for (char mark : {'?', '#'}) {
    const int at = address.Find(mark);
    if (at >= 0 && at < end) end = at;
  }
  return address.Left(end);
}

// "file:" addresses in the forms browsers and authors write them, as a local path with
// backslashes: "file://D:\x", "file:///D:/x", "file:/D:/x", "file://localhost/D:/x",
// "file://\\srv\share\x", "file://srv/share/x".
CString FilePathOfAddress(const CString& address) {
  CString path = PercentDecode(WithoutQuery(address.Mid(5)));
  path.Replace("/", "\\");
  int slashes = 0;
  while (slashes < path.GetLength() && path[slashes] == '\\') ++slashes;
  path = path.Mid(slashes);
  if (slashes == 2 && StartsNoCase(path, "localhost\\")) path = path.Mid(10);
  if (path.IsEmpty()) return CString();
  if (path.GetLength() >= 2 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') return path;
  // Without a drive the first name is a server's (two slashes before it, or more).
  return slashes >= 2 ? "\\\\" + path : CString();
}

CString LocalJoin(const CString& base, const CString& name) {
  CString path = base + name;
  path.Replace("/", "\\");
  path.MakeLower();
  return path;
}

CString WebJoin(const CString& base, const CString& name) {
  CString address = base + name;
  address.Replace("\\", "/");
  return address;
}

// The rows that both SRC and page names share: absolute addresses and paths.
bool ResolveAbsolute(PageSource& source, const CString& name) {
  if (StartsNoCase(name, "http://")) {
    source.action = PageSource::download;
    source.target = name;
    return true;
  }
  if (IsDrivePath(name) || IsNetworkPath(name)) {
    if (source.baseKind == PageSource::webBase) {
      source.action = PageSource::refused;
    } else {
      source.action = PageSource::openFile;
      source.target = name;
      source.target.Replace("/", "\\");
      source.target.MakeLower();
    }
    return true;
  }
  return false;
}

void ResolveRelative(PageSource& source, const CString& name) {
  switch (source.baseKind) {
    case PageSource::webBase:
      source.action = PageSource::download;
      source.target = WebJoin(source.base, name);
      break;
    case PageSource::driveBase:
    case PageSource::networkBase:
      source.action = PageSource::openFile;
      source.target = LocalJoin(source.base, name);
      break;
    default:
      source.action = PageSource::unknownBase;
      break;
  }
}

}  // namespace

PageSource ResolveHostBase(const CString& hostAddress) {
  PageSource source;
  if (StartsNoCase(hostAddress, "file:")) {
    CString path = FilePathOfAddress(hostAddress);
    path.MakeLower();
    const int slash = path.ReverseFind('\\');
    // A drive alone ("d:") or a server without a share names no folder.
    const int serverEnd = IsNetworkPath(path) ? path.Find('\\', 2) : 0;
    if (slash < 0 || serverEnd < 0 || slash <= serverEnd) return source;
    source.baseKind = IsDrivePath(path) ? PageSource::driveBase : PageSource::networkBase;
    source.base = path.Left(slash + 1);
  } else if (StartsNoCase(hostAddress, "http://")) {
    const CString address = WithoutQuery(hostAddress);
    const int slash = address.ReverseFind('/');
    source.baseKind = PageSource::webBase;
    // "http://host" has no path: its folder is the server's root.
    source.base = slash < 7 ? address + "/" : address.Left(slash + 1);
  }
  return source;
}

PageSource ResolvePageSource(const CString& hostAddress, const CString& src) {
  PageSource source = ResolveHostBase(hostAddress);
  if (source.baseKind == PageSource::noBase || !IsPageName(src)) return source;
  if (!ResolveAbsolute(source, src)) ResolveRelative(source, src);
  return source;
}

PageSource ResolvePageName(int baseKind, const CString& base, const CString& name) {
  PageSource source;
  source.baseKind = baseKind;
  source.base = base;
  if (baseKind == PageSource::noBase || name.IsEmpty()) return source;
  if (!ResolveAbsolute(source, name)) ResolveRelative(source, name);
  return source;
}
