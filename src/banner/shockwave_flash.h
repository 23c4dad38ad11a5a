// TShockwaveFlash: the wrapper of the Flash banner control. Its published
// properties go to the control through its dispatch interface; its four
// events reach the handlers below with their arguments converted.
#pragma once
#include <functional>
#include <string>

#include "banner/ole_control.h"

namespace quonel {

using TShockwaveFlashOnReadyStateChange = std::function<void(TComponent* ASender, int newState)>;
using TShockwaveFlashOnProgress = std::function<void(TComponent* ASender, int percentDone)>;
using TShockwaveFlashFSCommand =
    std::function<void(TComponent* ASender, const std::wstring& command, const std::wstring& args)>;
using TShockwaveFlashFlashCall = std::function<void(TComponent* ASender, const std::wstring& request)>;

class TShockwaveFlash : public TOleControl {
 public:
  explicit TShockwaveFlash(TComponent* owner, TOleControlOptions options = {});
  const wchar_t* ClassName() const override { return L"TShockwaveFlash"; }

  // The description shared by every instance.
  static TControlData& ControlDescription();

  std::wstring Movie() { return GetWideStringProp(L"Movie"); }
  void SetMovie(const std::wstring& address) { SetWideStringProp(L"Movie", address); }

  TShockwaveFlashOnReadyStateChange OnReadyStateChange;
  TShockwaveFlashOnProgress OnProgress;
  TShockwaveFlashFSCommand OnFSCommand;
  TShockwaveFlashFlashCall OnFlashCall;

 protected:
  void InvokeEvent(int index, const TOleEventArgs& args) override;
};

// Registers TOleControl (with its stored ControlData) and TShockwaveFlash
// with its published properties; a stored layout creates its instances with
// options.
void RegisterShockwaveFlashClass(TOleControlOptions options = {});

}  // namespace quonel
