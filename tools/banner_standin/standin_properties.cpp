#include "standin_properties.h"

namespace quonel::standin {
namespace {

struct Property {
  const wchar_t* name;
  VARTYPE type;
};

constexpr Property kProperties[] = {
    {L"Playing", VT_BOOL},       {L"Quality", VT_I4},         {L"ScaleMode", VT_I4},
    {L"AlignMode", VT_I4},       {L"BackgroundColor", VT_I4}, {L"Loop", VT_BOOL},
    {L"Movie", VT_BSTR},         {L"FrameNum", VT_I4},        {L"WMode", VT_BSTR},
    {L"SAlign", VT_BSTR},        {L"Menu", VT_BOOL},          {L"Base", VT_BSTR},
    {L"Scale", VT_BSTR},         {L"DeviceFont", VT_BOOL},    {L"EmbedMovie", VT_BOOL},
    {L"BGColor", VT_BSTR},       {L"Quality2", VT_BSTR},      {L"SWRemote", VT_BSTR},
    {L"FlashVars", VT_BSTR},     {L"AllowScriptAccess", VT_BSTR}, {L"MovieData", VT_BSTR},
    {L"SeamlessTabbing", VT_BOOL}, {L"Profile", VT_BOOL},     {L"ProfileAddress", VT_BSTR},
    {L"ProfilePort", VT_I4},     {L"AllowNetworking", VT_BSTR}, {L"AllowFullScreen", VT_BSTR},
};
constexpr DISPID kCount = static_cast<DISPID>(sizeof kProperties / sizeof kProperties[0]);

// Which stored value a property starts from (1-based positions in the block).
struct StoredSource {
  const wchar_t* name;
  size_t value;
};
constexpr StoredSource kStored[] = {{L"Movie", 2},     {L"WMode", 4},            {L"Quality2", 7},
                                    {L"Scale", 12},    {L"AllowNetworking", 23}, {L"AllowFullScreen", 24}};

}  // namespace

BannerProperties::BannerProperties() : values_(kCount) {
  for (VARIANT& value : values_) VariantInit(&value);
  Reset(nullptr);
}

BannerProperties::~BannerProperties() {
  for (VARIANT& value : values_) VariantClear(&value);
}

void BannerProperties::Reset(const BannerState* state) {
  for (DISPID i = 0; i < kCount; ++i) {
    VARIANT& value = values_[static_cast<size_t>(i)];
    VariantClear(&value);
    value.vt = kProperties[i].type;
    if (value.vt == VT_BSTR) value.bstrVal = SysAllocString(L"");
    else if (value.vt == VT_BOOL) value.boolVal = VARIANT_FALSE;
    else value.lVal = 0;
  }
  VARIANT& playing = values_[static_cast<size_t>(Find(L"Playing") - 1)];
  playing.boolVal = VARIANT_TRUE;
  if (!state) return;
  for (const StoredSource& source : kStored) {
    if (source.value > state->values.size()) continue;
    const StateValue& stored = state->values[source.value - 1];
    if (stored.type != StateType::String) continue;
    VARIANT& value = values_[static_cast<size_t>(Find(source.name) - 1)];
    SysFreeString(value.bstrVal);
    const std::wstring text(stored.text.begin(), stored.text.end());
    value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
}

DISPID BannerProperties::Find(const wchar_t* name) const {
  for (DISPID i = 0; i < kCount; ++i)
    if (name && lstrcmpiW(name, kProperties[i].name) == 0) return i + 1;
  return DISPID_UNKNOWN;
}

HRESULT BannerProperties::Get(DISPID id, VARIANT* result) const {
  if (id < 1 || id > kCount) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  VariantInit(result);
  return VariantCopy(result, const_cast<VARIANT*>(&values_[static_cast<size_t>(id - 1)]));
}

HRESULT BannerProperties::Put(DISPID id, const VARIANT& value) {
  if (id < 1 || id > kCount) return DISP_E_MEMBERNOTFOUND;
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT result =
      VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, kProperties[id - 1].type);
  if (FAILED(result)) return DISP_E_TYPEMISMATCH;
  VARIANT& slot = values_[static_cast<size_t>(id - 1)];
  VariantClear(&slot);
  slot = converted;
  return S_OK;
}

std::wstring BannerProperties::Text(const wchar_t* name) const {
  const DISPID id = Find(name);
  if (id == DISPID_UNKNOWN || values_[static_cast<size_t>(id - 1)].vt != VT_BSTR) return L"";
  const BSTR text = values_[static_cast<size_t>(id - 1)].bstrVal;
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace quonel::standin
