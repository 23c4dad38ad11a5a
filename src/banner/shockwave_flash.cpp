#include "banner/shockwave_flash.h"

#include "core/property_registry.h"

namespace quonel {
namespace {

// {D27CDB6E-AE6D-11CF-96B8-444553540000}
constexpr CLSID kFlashClassId = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {D27CDB6D-AE6D-11CF-96B8-444553540000}
constexpr IID kFlashEventsIid = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

enum FlashEvent { kReadyStateChange, kProgress, kFSCommand, kFlashCall };

enum class Kind { Text, Integer, Boolean };
struct Forwarded {
  const wchar_t* name;
  Kind kind;
};

// The properties the control's dispatch interface publishes.
constexpr Forwarded kForwarded[] = {
    {L"Playing", Kind::Boolean},         {L"Quality", Kind::Integer},         {L"ScaleMode", Kind::Integer},
    {L"AlignMode", Kind::Integer},       {L"BackgroundColor", Kind::Integer}, {L"Loop", Kind::Boolean},
    {L"Movie", Kind::Text},              {L"FrameNum", Kind::Integer},        {L"WMode", Kind::Text},
    {L"SAlign", Kind::Text},             {L"Menu", Kind::Boolean},            {L"Base", Kind::Text},
    {L"Scale", Kind::Text},              {L"DeviceFont", Kind::Boolean},      {L"EmbedMovie", Kind::Boolean},
    {L"BGColor", Kind::Text},            {L"Quality2", Kind::Text},           {L"SWRemote", Kind::Text},
    {L"FlashVars", Kind::Text},          {L"AllowScriptAccess", Kind::Text},  {L"MovieData", Kind::Text},
    {L"SeamlessTabbing", Kind::Boolean}, {L"Profile", Kind::Boolean},         {L"ProfileAddress", Kind::Text},
    {L"ProfilePort", Kind::Integer},     {L"AllowNetworking", Kind::Text},    {L"AllowFullScreen", Kind::Text},
};

}  // namespace

TControlData& TShockwaveFlash::ControlDescription() {
  static TControlData description = [] {
    TControlData d;
    d.classId = kFlashClassId;
    d.eventIid = kFlashEventsIid;
    d.eventDispIds = {-609, 1958, 150, 197};
    d.flags = 0;
    d.version = 401;
    return d;
  }();
  return description;
}

TShockwaveFlash::TShockwaveFlash(TComponent* owner, TOleControlOptions options)
    : TOleControl(owner, ControlDescription(), options) {}

void TShockwaveFlash::InvokeEvent(int index, const TOleEventArgs& args) {
  switch (index) {
    case kReadyStateChange:
      if (OnReadyStateChange) OnReadyStateChange(this, args.Integer(0));
      break;
    case kProgress:
      if (OnProgress) OnProgress(this, args.Integer(0));
      break;
    case kFSCommand:
      if (OnFSCommand) OnFSCommand(this, args.Text(0), args.Text(1));
      break;
    case kFlashCall:
      if (OnFlashCall) OnFlashCall(this, args.Text(0));
      break;
  }
}

void RegisterShockwaveFlashClass(TOleControlOptions options) {
  ClassRegistrar<TOleControl>(L"TOleControl", L"TWinControl")
      .Bytes(L"ControlData", [](TOleControl& c, const std::string& bytes) { c.SetControlData(bytes); });
  ClassRegistrar<TShockwaveFlash> flash(L"TShockwaveFlash", L"TOleControl");
  for (const Forwarded& property : kForwarded) {
    const std::wstring name = property.name;
    switch (property.kind) {
      case Kind::Text:
        flash.Text(name, [name](TShockwaveFlash& f) { return f.GetWideStringProp(name); },
                   [name](TShockwaveFlash& f, const std::wstring& v) { f.SetWideStringProp(name, v); });
        break;
      case Kind::Integer:
        flash.Integer(name, [name](TShockwaveFlash& f) { return f.GetIntegerProp(name); },
                      [name](TShockwaveFlash& f, int64_t v) { f.SetIntegerProp(name, static_cast<int>(v)); });
        break;
      case Kind::Boolean:
        flash.Boolean(name, [name](TShockwaveFlash& f) { return f.GetBooleanProp(name); },
                      [name](TShockwaveFlash& f, bool v) { f.SetBooleanProp(name, v); });
        break;
    }
  }
  ClassInfo& info = RegisterClassInfo(L"TShockwaveFlash", L"TOleControl");
  info.create = [options](TComponent* owner) -> TComponent* { return new TShockwaveFlash(owner, options); };
  info.keepUnknown = nullptr;
}

}  // namespace quonel
