#include "publish/WebPageHtml.h"

CString HtmlEscape(const char* text) {
  CString escaped;
  // Trail bytes of double-byte characters are 0x40 or above: none of them is taken for
  // one of these.
  for (const char* c = text; *c; ++c) {
    switch (*c) {
      case '&': escaped += "&amp;"; break;
      case '\'': escaped += "&#39;"; break;
      case '"': escaped += "&quot;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += *c; break;
    }
  }
  return escaped;
}

CString WebPageText(const CString& homePage, const CString& cabinetHost) {
  CString object = "<object ";
  if (!cabinetHost.IsEmpty()) object += "codebase='" + HtmlEscape("http://" + cabinetHost + kCabinetPath) + "' ";
  object += "id='kelvane' classid='clsid:" + CString(kControlClassId) + "'>";
  CString text = "<html>\n<head>\n<title></title>\n</head>\n<body>\n<p>\n" + object + "\n";
  text += "<param name='SRC' value='" + HtmlEscape(homePage) + "'>\n";
  text += "</object>\n</p>\n<script language = 'javascript'>\nkelvane.URL = window.location\n</script>\n</body>\n</html>";
  return text;
}
