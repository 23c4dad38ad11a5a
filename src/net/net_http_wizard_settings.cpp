#include "net/net_http_wizard_settings.h"

namespace quonel {

void ApplyWizardHTTPSettings(TNetHTTP& http) {
  http.AllowCookies = true;
  http.HTTPOptions = hoForceEncodeParams;
  http.SetReadTimeout(kWizardReadTimeoutMs);
  http.RequestTimeLimit = kWizardRequestTimeLimitMs;
  http.SetMaxLineAction(maException);
  TNetHTTPRequest& request = http.Request();
  request.ContentType = kDefaultContentType;
  request.Accept = kDefaultAccept;
  request.UserAgent = kDefaultUserAgent;
  request.ContentLength = -1;
  request.ContentRangeStart = 0;
  request.ContentRangeEnd = 0;
  request.BasicAuthentication = false;
  http.ProxyParams().BasicAuthentication = false;
  http.ProxyParams().ProxyPort = 0;
}

}  // namespace quonel
