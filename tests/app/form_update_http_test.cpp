// The wizard form's manifest client as its stored layout gives it: a real
// TNetHTTP with the wizard's settings, the same as the settings the probe
// tool applies in code, and a layout that names a setting the client does not
// have fails to read.
#include <gtest/gtest.h>

#include <string>

#include "app/form_update.h"
#include "net/net_http_client.h"
#include "net/net_http_wizard_settings.h"
#include "ui/application.h"
#include "core/property_access.h"
#include "core/property_registry.h"
#include "ui/resource_layout.h"
#include "core/stored_form_reader.h"
#include "core/stored_layout.h"

namespace quonel {
namespace {

class WizardHttpClient : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    application = new TApplication;
    application->Initialize();
    application->CreateForm(form);
  }
  static void TearDownTestSuite() {
    delete application;
    application = nullptr;
    form = nullptr;
  }
  static TApplication* application;
  static TForm_Update* form;
};

TApplication* WizardHttpClient::application = nullptr;
TForm_Update* WizardHttpClient::form = nullptr;

TEST_F(WizardHttpClient, HTTPFilesIsTheClientWithItsStoredSettings) {
  auto* http = dynamic_cast<TNetHTTP*>(form->HTTPFiles);
  ASSERT_NE(nullptr, http) << "HTTPFiles must be the real client, not a stand-in";
  EXPECT_EQ(form, http->Owner());
  EXPECT_EQ(L"HTTPFiles", http->Name());
  EXPECT_FALSE(http->IsConnected());
  EXPECT_EQ(5000, http->ReadTimeout());
  EXPECT_TRUE(http->AllowCookies);
  EXPECT_EQ("Mozilla/3.0 (compatible; Quonel Updater)", http->Request().UserAgent);

  // What the rest of the program sees by name.
  EXPECT_EQ(5000, GetIntProp(http, L"ReadTimeout"));
  EXPECT_EQ(L"True", GetEnumPropText(http, L"AllowCookies"));
  EXPECT_EQ(L"maException", GetEnumPropText(http, L"MaxLineAction"));
  EXPECT_EQ(80, GetIntProp(http, L"Port"));
  TPersistent* request = GetObjectPropOf(http, L"Request", L"TNetHTTPRequest");
  ASSERT_NE(nullptr, request);
  EXPECT_EQ(L"Mozilla/3.0 (compatible; Quonel Updater)", GetTextProp(request, L"UserAgent"));
  EXPECT_EQ(L"text/html, */*", GetTextProp(request, L"Accept"));
  EXPECT_EQ(L"text/html", GetTextProp(request, L"ContentType"));
  EXPECT_EQ(-1, GetIntProp(request, L"ContentLength"));
  TPersistent* proxy = GetObjectPropOf(http, L"ProxyParams", L"TNetProxyConnectionInfo");
  ASSERT_NE(nullptr, proxy);
  EXPECT_EQ(0, GetIntProp(proxy, L"ProxyPort"));
  EXPECT_EQ(L"False", GetEnumPropText(proxy, L"BasicAuthentication"));
}

// Compares every published property of two objects of one class, following
// object properties; returns how many values were compared.
int ExpectSameProperties(TPersistent& stored, TPersistent& applied, const std::wstring& path) {
  int compared = 0;
  for (const ClassInfo* c = FindClassInfo(stored.ClassName()); c; c = c->parent) {
    for (const PropertyInfo& p : c->properties) {
      if (!p.published) continue;
      SCOPED_TRACE(path + p.name);
      if (p.kind == PropertyKind::Class) {
        TPersistent* a = p.getObject(stored);
        TPersistent* b = p.getObject(applied);
        if (a && b) compared += ExpectSameProperties(*a, *b, path + p.name + L".");
        else EXPECT_EQ(a == nullptr, b == nullptr);
      } else if (p.getInt) {
        EXPECT_EQ(p.getInt(applied), p.getInt(stored));
        ++compared;
      } else if (p.getText) {
        EXPECT_EQ(p.getText(applied), p.getText(stored));
        ++compared;
      }
    }
  }
  return compared;
}

TEST_F(WizardHttpClient, TheStoredSettingsAreTheOnesTheProbeToolApplies) {
  auto* stored = dynamic_cast<TNetHTTP*>(form->HTTPFiles);
  ASSERT_NE(nullptr, stored);
  TNetHTTP applied(nullptr);
  applied.SetName(L"HTTPFiles");
  ApplyWizardHTTPSettings(applied);
  EXPECT_GT(ExpectSameProperties(*stored, applied, L""), 30) << "every published setting, nested ones included";
}

// The wizard's stored HTTPFiles block, read onto a bare form, with extra
// property lines put in at its top.
void ReadStoredClientWith(TForm& root, const std::string& extraLines) {
  std::string text = LoadResourceBytes(L"TFORM_UPDATE");
  const std::string head = "HTTPFiles : TNetHTTP {\n";
  const size_t at = text.find(head);
  ASSERT_NE(std::string::npos, at);
  text.insert(at + head.size(), extraLines);
  StoredObject bare;
  bare.className = L"TForm";
  for (StoredObject& child : ParseStoredLayout(text).children)
    if (child.name == L"HTTPFiles") bare.children.push_back(std::move(child));
  ASSERT_EQ(1u, bare.children.size());
  ReadStoredComponent(root, bare, {});
}

TEST_F(WizardHttpClient, AStoredSettingTheClientDoesNotHaveIsALayoutError) {
  TForm plain(nullptr);
  ReadStoredClientWith(plain, "");
  auto* http = dynamic_cast<TNetHTTP*>(plain.FindComponent(L"HTTPFiles"));
  ASSERT_NE(nullptr, http);
  EXPECT_EQ(5000, http->ReadTimeout());

  for (const char* line : {"    ReadTimeOutMs = 5000\n", "    Request.Agent = \"x\"\n", "    Tag2 = 1\n"}) {
    SCOPED_TRACE(line);
    TForm broken(nullptr);
    try {
      ReadStoredClientWith(broken, line);
      ADD_FAILURE() << "the unknown setting was taken";
    } catch (const EReadLayoutError& e) {
      EXPECT_NE(std::wstring::npos, e.Message().find(L"property does not exist")) << e.Message();
    }
  }
}

}  // namespace
}  // namespace quonel
