// The wizard on real networks: the proxy of every address, the manifest
// from the first of the configured servers that answers with one, files
// retried at servers that publish the same manifest, and rests for servers
// that failed.
#include <windows.h>

#include <ctime>

#include "app/form_update.h"
#include "app/verified_manifest_fetch.h"
#include "app/served_work.h"
#include "app/stored_manifest.h"
#include "core/ansi_text.h"
#include "core/ascii_case.h"
#include "core/sha256_digest.h"
#include "core/win32_owners.h"
#include "net/http_exceptions.h"
#include "net/net_http_wizard_settings.h"
#include "net/tls_session.h"

namespace quonel {
namespace {

// The whole search for a manifest ends after this long, however many
// servers are listed: no longer than one fetch was allowed before.
const uint64_t kManifestSearchBoundMs = kWizardRequestTimeLimitMs;

Sha256Digest DigestOf(const std::string& bytes) {
  TSha256 sha;
  sha.Update(bytes.data(), bytes.size());
  return sha.Finish();
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Exception(L"Cannot create file \"" + path + L"\"");
  DWORD written = 0;
  const BOOL ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  file.Reset();
  if (!ok || written != bytes.size()) throw Exception(L"Cannot write file \"" + path + L"\"");
}

std::wstring Described(const ProxyServer& proxy) {
  return proxy.Direct() ? std::wstring(L"直接连接") : L"经代理服务器 " + AnsiToWide(proxy.Describe());
}

}  // namespace

void TForm_Update::SetUpNetworkRoutes() {
  jitter_.seed(static_cast<unsigned>(GetTickCount64() ^ (GetCurrentProcessId() << 16)));
  const TIniFile config(ConfigPath());
  const std::wstring proxyServer = config.ReadString(L"proxy", L"server", L"");
  proxyChoice_ = std::make_unique<ProxyChoice>(proxyServer, config.ReadString(L"proxy", L"bypass", L""), [this] {
    ProcessMessages();
    return !AbortFlag && !closing_;
  });
  if (!proxyChoice_->ConfigUsable()) LogLine(L"config.ini 的代理设置“" + proxyServer + L"”无法识别，改用系统代理设置\r\n");
  const ProxyResolver resolver = [this](const std::string& url) { return proxyChoice_->For(url); };
  HTTPFiles->ProxyFor = resolver;
  ProxyFor = resolver;
  // A proxy that asks for Basic gets the configured credentials, once.
  HTTPFiles->OnProxyAuthorization = [this](TNetAuthentication*& authentication) {
    const TNetProxyConnectionInfo& proxy = HTTPFiles->ProxyParams();
    bool offersBasic = false;
    for (const std::string& challenge : HTTPFiles->Response().ProxyAuthenticate.Lines())
      offersBasic = offersBasic || StartsWithNoCase(challenge, "Basic");
    if (authentication || !offersBasic || proxy.ProxyUsername.empty()) return false;
    auto basic = std::make_unique<TNetBasicAuthentication>();
    basic->Username = proxy.ProxyUsername;
    basic->Password = proxy.ProxyPassword;
    authentication = basic.release();
    return true;
  };
  HTTPFiles->OnRedirect = [this](std::string& destination, TNetHTTPMethod& method, bool& accepted) {
    accepted = IsFollowedRedirect(HTTPFiles->ResponseCode());
    if (!accepted) return;
    destination = manifestTrail_.Follow(manifestUrl_, destination);
    manifestUrl_ = destination;
    if (HTTPFiles->ResponseCode() == 303) method = hmGet;
  };
}

std::string TForm_Update::FetchManifestBody(const std::wstring& server) {
  manifestUrl_ = WideToAnsi(server + SubSysName + L".htm");
  manifestTrail_ = RedirectTrail();
  // A cache on the way must not hand out an old release.
  HTTPFiles->Request().CacheControl = "no-cache";
  HTTPFiles->Request().Pragma = "no-cache";
  LogLine(L"取得升级信息：" + AnsiToWide(manifestUrl_) + L"（" + Described(proxyChoice_->For(manifestUrl_)) +
          L"）\r\n");
  // Redirects are followed for the wizard's fetches only; the component
  // keeps its stored settings. The trail ends a fetch before the client's
  // own limit would.
  struct RedirectScope {
    TNetHTTP* http;
    bool handle = http->HandleRedirects;
    int maximum = http->RedirectMaximum;
    ~RedirectScope() {
      http->HandleRedirects = handle;
      http->RedirectMaximum = maximum;
    }
  } redirectScope{HTTPFiles};
  HTTPFiles->HandleRedirects = true;
  HTTPFiles->RedirectMaximum = kMaxRedirectHops + 1;
  try {
    // A bad signature fails this server like any other fault: the next one is tried.
    const FetchedManifest fetched = FetchVerifiedManifest(*HTTPFiles, manifestUrl_, LoadManifestTrust(ConfigPath()),
                                                          WideToAnsi(SubSysName), AppPath + L"update\\");
    LogLine(fetched.verified ? L"升级信息签名验证通过：序号 " + std::to_wstring(fetched.serial) + L"，密钥 " +
                                   AnsiToWide(fetched.keyId) + L"\r\n"
                             : std::wstring(L"升级信息没有签名验证（config.ini 中没有 [trust] 公钥）\r\n"));
    return fetched.body;
  } catch (const EManifestRefused& refusal) {
    LogLine(L"升级信息未通过验证：" + refusal.Message() + L"\r\n");
    throw;
  }
}

void TForm_Update::StoreManifest(const std::string& body) {
  FileList->Clear();
  // A manifest of tens of thousands of files takes longer to write, read back
  // and digest than the window may go unserved: that runs beside the window.
  struct Stored {
    ProfileIndex index;
    Sha256Digest digest;
  };
  const std::wstring path = ManifestPath();
  Stored stored = RunServed(
      [&body, &path] {
        WriteWholeFile(path, StoredManifestBytes(body));
        return Stored{ReadProfileIndex(path), DigestOf(body)};
      },
      [this] { ProcessMessages(); });
  manifest_ = std::move(stored.index);
  for (const std::wstring& section : manifest_.ReadSections()) {
    FileList->Add(section);
    KeepWindowAnswering();
  }
  // An empty answer or a page of a portal or proxy names no file at all.
  if (FileList->Count() == 0) throw Exception(L"The manifest names no file");
  manifestDigest_ = stored.digest;
}

void TForm_Update::RecordServerFailure(const std::wstring& server, std::optional<int64_t> retryAfterSeconds) {
  backoff_.RecordFailure(server, GetTickCount64(), std::uniform_real_distribution<double>(0.0, 1.0)(jitter_),
                         retryAfterSeconds);
}

bool TForm_Update::WaitUntil(uint64_t momentMs) {
  while (GetTickCount64() < momentMs) {
    ProcessMessages();
    if (AbortFlag || closing_) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
  }
  return true;
}

std::wstring TForm_Update::FetchManifestFromMirrors(const std::wstring& picked) {
  const TIniFile config(ConfigPath());
  runMirrors_ = MirrorCandidates(picked, ServersOfConfig(config.ReadSectionValues(L"update")));
  identicalMirrors_.clear();
  backoff_.ForgetOwnRests();
  const uint64_t deadline = GetTickCount64() + kManifestSearchBoundMs;
  struct TimeLimitScope {
    TNetHTTP* http;
    ~TimeLimitScope() { http->RequestTimeLimit = kWizardRequestTimeLimitMs; }
  } timeLimitScope{HTTPFiles};
  std::vector<UpdateServerEntry> order = runMirrors_;
  std::vector<bool> deferred(order.size(), false);
  for (size_t i = 0; i < order.size(); ++i) {
    const UpdateServerEntry server = order[i];
    if (AbortFlag || closing_) break;
    // A server still resting from a failure comes last, and is waited for only then.
    if (const uint64_t readyAt = backoff_.ReadyAt(server.address); readyAt > GetTickCount64()) {
      if (!deferred[i] && i + 1 < order.size()) {
        order.push_back(server);
        deferred.push_back(true);
        continue;
      }
      if (readyAt >= deadline || !WaitUntil(readyAt)) continue;
    }
    const uint64_t now = GetTickCount64();
    if (now >= deadline) break;
    HTTPFiles->RequestTimeLimit = static_cast<int>(deadline - now);
    try {
      StoreManifest(FetchManifestBody(server.address));
      backoff_.RecordSuccess(server.address);
      LogLine(L"升级信息来自服务器" + (server.name.empty() ? std::wstring() : L"“" + server.name + L"”") + L"：" +
              server.address + L"\r\n");
      identicalMirrors_[server.address] = true;
      return server.address;
    } catch (const Exception& failure) {
      // Given up by the user: the server did nothing wrong.
      if (AbortFlag || closing_) break;
      std::optional<int64_t> retryAfter;
      const int code = HTTPFiles->ResponseCode();
      if (dynamic_cast<const ENetHTTPProtocolException*>(&failure) && (code == 503 || code == 429))
        retryAfter = ParseRetryAfter(HTTPFiles->Response().HeaderLines.Values("Retry-After"),
                                     static_cast<int64_t>(std::time(nullptr)));
      RecordServerFailure(server.address, retryAfter);
      // A refused certificate or handshake gets its reason on a line of its own.
      if (dynamic_cast<const ETlsError*>(&failure)) LogLine(failure.Message() + L"\r\n");
      LogLine(L"服务器 " + server.address + L" 未能提供升级信息（" + failure.Message() + L"）\r\n");
      try {
        HTTPFiles->CloseConnection();
      } catch (const Exception&) {
      }
    }
  }
  throw Exception(L"No server gave its manifest");
}

bool TForm_Update::SameManifestAt(const std::wstring& server) {
  if (const auto known = identicalMirrors_.find(server); known != identicalMirrors_.end()) return known->second;
  bool same = false;
  try {
    same = DigestOf(FetchManifestBody(server)) == manifestDigest_;
    LogLine(L"服务器 " + server + (same ? L" 的升级信息与本次相同\r\n" : L" 的升级信息与本次不同，不从它下载\r\n"));
  } catch (const Exception& failure) {
    RecordServerFailure(server);
    LogLine(L"服务器 " + server + L" 未能提供升级信息（" + failure.Message() + L"）\r\n");
  }
  identicalMirrors_[server] = same;
  return same;
}

bool TForm_Update::DownloadWithMirrors(const std::wstring& requestName, const std::wstring& stagedPath,
                                       const std::string& release) {
  size_t next = 0;
  while (next < runMirrors_.size() && runMirrors_[next].address != runServer_) ++next;
  ++next;
  std::wstring server = runServer_;
  for (;;) {
    if (DownloadFile(server + requestName, stagedPath, release)) return true;
    if (AbortFlag || stopRequested_ || closing_) return false;
    RecordServerFailure(server);
    server.clear();
    while (server.empty() && next < runMirrors_.size()) {
      const std::wstring& candidate = runMirrors_[next++].address;
      if (backoff_.ReadyAt(candidate) <= GetTickCount64() && SameManifestAt(candidate)) server = candidate;
      if (AbortFlag || closing_) return false;
    }
    if (server.empty()) return false;
    LogLine(L"改从服务器 " + server + L" 下载 " + requestName + L"\r\n");
  }
}

}  // namespace quonel
