// The banner host against the stand-in banner control registered in the
// project's Wine prefix: the stored state handed over byte for byte, the
// order of the host's calls, the control's window and size, the site's and
// the ambient answers, events and forwarded properties; and the host's
// errors when the control is missing.
#include "banner/shockwave_flash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "banner/ole_control_site.h"
#include "core/property_access.h"
#include "core/system_message.h"
#include "support/banner_standin.h"
#include "support/window_capture.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quonel {
namespace {

using testing::StandInJournal;

// A small stored state: the header and the movie address, as the control reads it.
std::string StoredState(const std::wstring& movie) {
  std::string bytes = "gUfU";
  auto u32 = [&bytes](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  u32(0x710);
  u32(10610);
  u32(2117);
  auto text = [&](const std::wstring& s) {
    bytes += std::string("\x08\x00", 2);
    u32(static_cast<uint32_t>((s.size() + 1) * 2));
    for (wchar_t c : s + L'\0') bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  };
  text(L"");
  text(movie);
  return bytes;
}

// What the stand-in would store now: exactly what it was given.
std::string SavedState(TOleControl& control) {
  ComPtr<IPersistStreamInit> persist = ComPtr<IOleObject>::Share(control.OleObject()).As<IPersistStreamInit>(
      IID_IPersistStreamInit);
  ComPtr<IStream> stream;
  if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) return "<none>";
  persist->Save(stream.Get(), FALSE);
  STATSTG stat = {};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  return bytes;
}

class BannerHost : public ::testing::Test {
 protected:
  void SetUp() override {
    application.Initialize();
    RegisterShockwaveFlashClass();
    form = new TForm(&application);
    form->SetBounds(40, 40, 430, 200);
    form->SetColor(0x336699);
    form->Font().SetName(L"宋体");
    form->Font().SetHeight(-12);
    form->Font().SetCharset(GB2312_CHARSET);
    form->Handle();
    StandInJournal();
  }
  // A banner at the wizard's box, not yet on the form.
  TShockwaveFlash* Banner(const std::string& state, TOleControlOptions options = {}) {
    auto* banner = new TShockwaveFlash(form, options);
    banner->SetName(L"Banner1");
    if (!state.empty()) banner->SetControlData(state);
    banner->SetBounds(8, 7, 401, 80);
    return banner;
  }
  // On a parent with a window the banner gets its own at once, as in a shown form.
  HWND Place(TOleControl* banner) {
    banner->SetParent(form);
    return banner->Handle();
  }
  static RECT BoxInParent(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&box), 2);
    return box;
  }
  static ComPtr<IOleClientSite> Site(TOleControl& control) {
    ComPtr<IOleClientSite> site;
    control.OleObject()->GetClientSite(site.Put());
    return site;
  }
  TApplication application;
  TForm* form = nullptr;
};

TEST_F(BannerHost, TheControlReceivesExactlyTheStoredBytesOrStartsFreshWithoutThem) {
  const std::string state = StoredState(L"http://upd1.quonel.com/adlogin.swf");
  TShockwaveFlash* loaded = Banner(state);
  Place(loaded);
  EXPECT_EQ(state, SavedState(*loaded));
  EXPECT_EQ(L"http://upd1.quonel.com/adlogin.swf", loaded->Movie());
  const std::vector<std::wstring> journal = StandInJournal();
  EXPECT_EQ(1, std::count(journal.begin(), journal.end(), L"Load(" + std::to_wstring(state.size()) + L" bytes)"));
  EXPECT_EQ(0, std::count(journal.begin(), journal.end(), L"InitNew"));

  TShockwaveFlash* fresh = Banner("");
  Place(fresh);
  const std::vector<std::wstring> freshJournal = StandInJournal();
  EXPECT_EQ(1, std::count(freshJournal.begin(), freshJournal.end(), L"InitNew"));
  EXPECT_EQ(freshJournal.end(), std::find_if(freshJournal.begin(), freshJournal.end(),
                                             [](const std::wstring& e) { return e.starts_with(L"Load"); }));
  EXPECT_EQ(L"", fresh->Movie());
}

TEST_F(BannerHost, TheHostCallsInItsOrderFromCreationToTheEnd) {
  const std::string state = StoredState(L"m");
  TShockwaveFlash* banner = Banner(state);
  Place(banner);
  delete banner;
  const std::vector<std::wstring> journal = StandInJournal();
  const std::vector<std::wstring> expected = {
      L"SetClientSite",  // the control asks for its site first
      L"Load(" + std::to_wstring(state.size()) + L" bytes)", L"Advise(property changes)", L"Advise(events)", L"OnAmbientPropertyChange(-1)",
      L"DoVerb(-5)",     L"Close(1)",                 L"InPlaceDeactivate",
      L"Unadvise(property changes)", L"Unadvise(events)", L"SetClientSite(none)", L"Destroyed"};
  EXPECT_EQ(expected, journal);
  EXPECT_EQ(0, TShockwaveFlash::ControlDescription().instanceCount);
}

TEST_F(BannerHost, TheControlsOwnWindowIsTheHostsWindowAtItsBoxAndSizedByItsExtent) {
  TShockwaveFlash* banner = Banner(StoredState(L"m"));
  HWND window = Place(banner);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(L"QuonelBannerStandIn", className) << "the control's own window, not one of the library";
  EXPECT_EQ(form->Handle(), GetParent(window));
  EXPECT_EQ(banner, TWinControl::FromHandle(window));
  const RECT box = BoxInParent(window);
  EXPECT_EQ((std::vector<LONG>{8, 7, 409, 87}), (std::vector<LONG>{box.left, box.top, box.right, box.bottom}));
  EXPECT_TRUE(banner->TabStop());
  // Messages the host does not handle reach the control: a click becomes its event.
  int clicks = 0;
  banner->OnClick = [&](TComponent*) { ++clicks; };
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(1, clicks);

  // The same extent on a screen of 120 pixels per inch.
  TShockwaveFlash* scaled = Banner(StoredState(L"m"), TOleControlOptions{TControlPresence::Required, 120});
  const RECT scaledBox = BoxInParent(Place(scaled));
  EXPECT_EQ(501, scaledBox.right - scaledBox.left);
  EXPECT_EQ(100, scaledBox.bottom - scaledBox.top);
  EXPECT_EQ(501, scaled->Width());
  EXPECT_EQ(100, scaled->Height());
}

TEST_F(BannerHost, AmbientPropertiesAreReadOnlyAndOnlyTheListedOnesExist) {
  TShockwaveFlash* banner = Banner(StoredState(L"m"));
  banner->SetParentColor(true);
  Place(banner);
  ComPtr<IDispatch> ambient = Site(*banner).As<IDispatch>(IID_IDispatch);
  ASSERT_TRUE(ambient);
  auto read = [&](DISPID id, VARIANT& value) {
    DISPPARAMS none = {};
    VariantInit(&value);
    return ambient->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
  };
  VARIANT value;
  ASSERT_EQ(S_OK, read(-701, value));
  EXPECT_EQ(0x336699, value.lVal);
  ASSERT_EQ(S_OK, read(-702, value));
  EXPECT_STREQ(L"Banner1", value.bstrVal);
  VariantClear(&value);
  ASSERT_EQ(S_OK, read(-703, value));
  ASSERT_EQ(VT_DISPATCH, value.vt);
  ComPtr<IFont> font;
  ASSERT_EQ(S_OK, value.pdispVal->QueryInterface(IID_IFont, font.PutVoid()));
  // The name would be the face the platform substitutes for a missing one.
  SHORT charset = 0;
  font->get_Charset(&charset);
  EXPECT_EQ(GB2312_CHARSET, charset);
  HFONT realized = nullptr;
  ASSERT_EQ(S_OK, font->get_hFont(&realized));
  LOGFONTW logFont = {};
  GetObjectW(realized, sizeof logFont, &logFont);
  EXPECT_EQ(12, std::abs(logFont.lfHeight)) << "the host's 12-pixel font";
  VariantClear(&value);
  ASSERT_EQ(S_OK, read(-704, value));
  EXPECT_EQ(static_cast<LONG>(0x80000008), value.lVal) << "the window-text colour as a system colour";
  ASSERT_EQ(S_OK, read(-705, value));
  EXPECT_EQ(static_cast<LONG>(GetUserDefaultLCID()), value.lVal);
  const std::pair<DISPID, bool> flags[] = {{-706, true},  {-709, true},  {-710, false}, {-711, false},
                                           {-712, false}, {-714, true},  {-715, true}};
  for (const auto& [id, expected] : flags) {
    ASSERT_EQ(S_OK, read(id, value)) << id;
    EXPECT_EQ(VT_BOOL, value.vt) << id;
    EXPECT_EQ(expected ? VARIANT_TRUE : VARIANT_FALSE, value.boolVal) << id;
  }
  for (DISPID other : {-700, -707, -708, -713, -716, 0, 1})
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, read(other, value)) << other;
  VARIANT colour;
  VariantInit(&colour);
  colour.vt = VT_I4;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS put = {&colour, &named, 1, 1};
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, ambient->Invoke(-701, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr,
                                                   nullptr));
  DISPPARAMS none = {};
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            ambient->Invoke(-701, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr))
      << "a read without a place for the result";
}

TEST_F(BannerHost, TheSiteAnswersWhatAHostWithoutToolsMenusOrUndoAnswers) {
  TShockwaveFlash* banner = Banner(StoredState(L"m"));
  Place(banner);
  ComPtr<IOleClientSite> client = Site(*banner);
  ComPtr<IOleControlSite> control = client.As<IOleControlSite>(IID_IOleControlSite);
  ComPtr<IOleInPlaceSite> inPlace = client.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
  ASSERT_TRUE(control && inPlace);
  ComPtr<IOleContainer> container;
  EXPECT_EQ(E_NOINTERFACE, client->GetContainer(container.Put()));
  ComPtr<IMoniker> moniker;
  EXPECT_EQ(E_NOTIMPL, client->GetMoniker(0, 0, moniker.Put()));
  EXPECT_EQ(S_OK, client->SaveObject());
  EXPECT_EQ(E_NOTIMPL, control->OnControlInfoChanged());
  EXPECT_EQ(E_NOTIMPL, control->LockInPlaceActive(TRUE));
  EXPECT_EQ(E_NOTIMPL, control->OnFocus(TRUE));
  EXPECT_EQ(E_NOTIMPL, control->ShowPropertyFrame());
  MSG message = {};
  EXPECT_EQ(E_NOTIMPL, control->TranslateAccelerator(&message, 0));
  EXPECT_EQ(E_NOTIMPL, inPlace->Scroll(SIZE{1, 1}));
  EXPECT_EQ(E_NOTIMPL, inPlace->DiscardUndoState());
  EXPECT_EQ(S_OK, inPlace->CanInPlaceActivate());
  HWND parent = nullptr;
  EXPECT_EQ(S_OK, inPlace->GetWindow(&parent));
  EXPECT_EQ(form->Handle(), parent);

  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> document;
  RECT position, clip;
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof info;
  ASSERT_EQ(S_OK, inPlace->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &info));
  EXPECT_FALSE(document);
  EXPECT_EQ((std::vector<LONG>{8, 7, 409, 87}), (std::vector<LONG>{position.left, position.top, position.right,
                                                                     position.bottom}));
  EXPECT_EQ((std::vector<LONG>{0, 0, 32767, 32767}), (std::vector<LONG>{clip.left, clip.top, clip.right, clip.bottom}));
  EXPECT_EQ(form->Handle(), info.hwndFrame);
  EXPECT_EQ(0u, info.cAccelEntries);
  ASSERT_TRUE(frame);
  HWND top = nullptr;
  EXPECT_EQ(S_OK, frame->GetWindow(&top));
  EXPECT_EQ(form->Handle(), top);
  RECT border;
  EXPECT_EQ(INPLACE_E_NOTOOLSPACE, frame->GetBorder(&border));
  EXPECT_EQ(INPLACE_E_NOTOOLSPACE, frame->RequestBorderSpace(nullptr));
  EXPECT_EQ(E_NOTIMPL, frame->SetBorderSpace(nullptr));
  EXPECT_EQ(S_FALSE, frame->TranslateAccelerator(&message, 0));
  EXPECT_EQ(S_OK, frame->SetStatusText(L"x"));

  POINTL himetric = {10610, 2117};
  POINTF pixels = {};
  EXPECT_EQ(S_OK, control->TransformCoords(&himetric, &pixels, XFORMCOORDS_HIMETRICTOCONTAINER));
  EXPECT_EQ(401.0f, pixels.x);
  EXPECT_EQ(80.0f, pixels.y);
}

TEST_F(BannerHost, EventsReachTheAssignedHandlersWithTheirArguments) {
  TShockwaveFlash* banner = Banner(StoredState(L"http://upd1.quonel.com/adlogin.swf"));
  std::vector<std::wstring> heard;
  banner->OnReadyStateChange = [&](TComponent* sender, int state) {
    EXPECT_EQ(banner, sender);
    heard.push_back(L"ready " + std::to_wstring(state));
  };
  banner->OnProgress = [&](TComponent*, int percent) { heard.push_back(L"progress " + std::to_wstring(percent)); };
  banner->OnFlashCall = [&](TComponent*, const std::wstring& request) { heard.push_back(L"call " + request); };
  banner->OnFSCommand = [&](TComponent*, const std::wstring& command, const std::wstring& args) {
    heard.push_back(L"command " + command + L" " + args);
  };
  HWND window = Place(banner);
  SendMessageW(window, WM_LBUTTONUP, 0, 0);
  const std::vector<std::wstring> expected = {
      L"ready 4", L"progress 100",
      L"call <invoke name=\"bannerShown\" returntype=\"xml\"><arguments><string>http://upd1.quonel.com/adlogin.swf"
      L"</string></arguments></invoke>",
      L"command click http://upd1.quonel.com/adlogin.swf"};
  EXPECT_EQ(expected, heard);
}

TEST_F(BannerHost, PublishedPropertiesGoThroughTheControlsDispatchInterface) {
  TShockwaveFlash* banner = Banner(StoredState(L"http://a/b.swf"));
  Place(banner);
  EXPECT_EQ(L"http://a/b.swf", GetTextProp(banner, L"Movie"));
  EXPECT_TRUE(SetPropText(banner, L"Movie", L"http://c/d.swf"));
  EXPECT_EQ(L"http://c/d.swf", banner->Movie());
  EXPECT_TRUE(SetPropText(banner, L"Quality", L"3"));
  EXPECT_EQ(3, GetIntProp(banner, L"Quality"));
  EXPECT_EQ(L"True", GetEnumPropText(banner, L"Playing"));
  EXPECT_TRUE(SetPropText(banner, L"Loop", L"True"));
  EXPECT_TRUE(banner->GetBooleanProp(L"Loop"));
}

TEST_F(BannerHost, AMissingControlRaisesTheSystemsTextOrLeavesAnEmptyPlaceWhenOptional) {
  TControlData missing = TShockwaveFlash::ControlDescription();
  missing.instanceCount = 0;
  CoCreateGuid(&missing.classId);
  try {
    TOleControl control(form, missing, {});
    FAIL() << "a control that is not installed must not be created";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(REGDB_E_CLASSNOTREG, error.ErrorCode());
    EXPECT_STREQ(L"EOleSysError", error.ClassName());
    const std::wstring systemText = SystemErrorMessage(static_cast<uint32_t>(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(systemText.empty() ? L"OLE error 80040154" : systemText, error.Message());
  }
  EXPECT_EQ(0, missing.instanceCount);
  EXPECT_EQ(L"OLE error 8bad0001", OleErrorText(static_cast<HRESULT>(0x8BAD0001)));

  auto* optional = new TOleControl(form, missing, TOleControlOptions{TControlPresence::Optional});
  EXPECT_FALSE(optional->ControlAvailable());
  EXPECT_EQ(OleErrorText(REGDB_E_CLASSNOTREG), optional->FailureText());
  std::vector<std::wstring> reported;
  optional->OnControlFailure = [&](TComponent*, const std::wstring& text) { reported.push_back(text); };
  optional->SetBounds(8, 7, 401, 80);
  optional->SetParent(form);
  HWND empty = optional->Handle();
  ASSERT_TRUE(IsWindow(empty));
  EXPECT_EQ(std::vector<std::wstring>{OleErrorText(REGDB_E_CLASSNOTREG)}, reported)
      << "reported once, when the window of the empty place is made";
  EXPECT_EQ(form->Color(), optional->Color()) << "the empty place shows the parent's colour";
  delete optional;  // before the description it refers to
}

TEST_F(BannerHost, AControlThatCannotTakeTheEventSinkRaisesTheSystemsText) {
  TControlData other = TShockwaveFlash::ControlDescription();
  other.instanceCount = 0;
  CoCreateGuid(&other.eventIid);  // a connection point the control does not have
  auto* control = new TOleControl(form, other, {});
  control->SetBounds(8, 7, 401, 80);
  try {
    control->SetParent(form);  // the shown form makes the control's window at once
    control->Handle();
    FAIL() << "the window of a control that refused its sink must not be made";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(CONNECT_E_NOCONNECTION, error.ErrorCode());
    EXPECT_EQ(OleErrorText(CONNECT_E_NOCONNECTION), error.Message());
  }
  delete control;
}

}  // namespace
}  // namespace quonel
