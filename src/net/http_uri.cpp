#include "net/http_uri.h"

#include <vector>

#include "net/http_exceptions.h"

namespace quonel {
namespace {

// Lead bytes of the double-byte characters of code page 936: the byte after
// one may be 0x5C without being a backslash.
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

std::string SlashesForward(const std::string& text) {
  std::string result = text;
  for (size_t i = 0; i < result.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(result[i]))) {
      ++i;
    } else if (result[i] == '\\') {
      result[i] = '/';
    }
  }
  return result;
}

}  // namespace

void TNetURI::SetURI(const std::string& uri) {
  Protocol = Host = Port = Path = Document = Params = Bookmark = Username = Password = "";
  std::string rest = SlashesForward(uri);
  const size_t scheme = rest.find("://");
  const bool absolute = scheme != std::string::npos;
  if (absolute) {
    Protocol = rest.substr(0, scheme);
    rest.erase(0, scheme + 3);
    const size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    rest.erase(0, slash == std::string::npos ? rest.size() : slash + 1);
    const size_t at = authority.rfind('@');
    if (at != std::string::npos) {
      const std::string user = authority.substr(0, at);
      authority.erase(0, at + 1);
      const size_t colon = user.find(':');
      Username = user.substr(0, colon);
      if (colon != std::string::npos && !Username.empty()) Password = user.substr(colon + 1);
    }
    const size_t colon = authority.find(':');
    Host = authority.substr(0, colon);
    if (colon != std::string::npos) Port = authority.substr(colon + 1);
  }

  size_t split = rest.find('?');
  if (split == std::string::npos) split = rest.find('=');
  const size_t lastSlash =
      split == std::string::npos ? rest.rfind('/') : (split == 0 ? std::string::npos : rest.rfind('/', split - 1));
  const size_t documentStart = lastSlash == std::string::npos ? 0 : lastSlash + 1;
  Path = (absolute ? "/" : "") + rest.substr(0, documentStart);
  Document = rest.substr(documentStart, split == std::string::npos ? std::string::npos : split - documentStart);
  if (split != std::string::npos) Params = rest.substr(split);

  const size_t hashInDocument = Document.find('#');
  if (hashInDocument != std::string::npos) {
    Bookmark = Document.substr(hashInDocument + 1);
    Document.erase(hashInDocument);
  }
  const size_t hashInParams = Params.find('#');
  if (Bookmark.empty() && hashInParams != std::string::npos) {
    Bookmark = Params.substr(hashInParams + 1);
    Params.erase(hashInParams);
  }
}

std::string TNetURI::GetFullURI() const {
  if (Protocol.empty()) throw ENetURIException(L"Protocol field is empty");
  if (Host.empty()) throw ENetURIException(L"Host field is empty");
  std::string result = Protocol + "://";
  if (!Username.empty()) {
    result += Username;
    if (!Password.empty()) result += ":" + Password;
    result += "@";
  }
  result += Host;
  if (!Port.empty()) result += ":" + Port;
  result += Path + Document + Params;
  if (!Bookmark.empty()) result += "#" + Bookmark;
  return result;
}

std::string TNetURI::NormalizePath(const std::string& path) {
  std::vector<std::string> segments;
  std::string last;
  size_t start = path.empty() || path[0] != '/' ? 0 : 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    last = path.substr(start, end - start);
    if (last == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (last != "." && !last.empty()) {
      segments.push_back(last);
    }
    start = end + 1;
  }
  // "a/b/", "a/b/." and "a/b/.." all name a folder.
  const bool folder = last.empty() || last == "." || last == "..";
  std::string result = !path.empty() && path[0] == '/' ? "/" : "";
  for (size_t i = 0; i < segments.size(); ++i) {
    result += segments[i];
    if (i + 1 < segments.size() || folder) result += "/";
  }
  return result;
}

}  // namespace quonel
