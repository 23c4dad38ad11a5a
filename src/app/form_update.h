// The wizard form: its stored layout gives the window and every component;
// the fields below are bound to them by name once the layout has been read.
// The handlers are the wizard's behaviour: start-up, the server choice, the
// manifest fetch, the check-and-download run, the install step, the abort
// and back actions and the close questions.
#pragma once
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/digest_follower.h"
#include "app/ini_file.h"
#include "app/mirror_candidates.h"
#include "app/profile_index.h"
#include "app/proxy_choice.h"
#include "app/section_admission.h"
#include "app/wizard_log.h"
#include "app/update_installer.h"
#include "banner/shockwave_flash.h"
#include "net/client_socket.h"
#include "net/redirect_rule.h"
#include "net/server_backoff.h"
#include "net/net_http_client.h"
#include "net/resumable_download.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_caption.h"
#include "ui/button.h"
#include "ui/display_start.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/gauge.h"
#include "ui/group_box.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_view.h"
#include "ui/notebook.h"
#include "core/strings.h"

namespace quonel {

class TForm_Update : public TForm, public TDownloadSite {
 public:
  explicit TForm_Update(TComponent* owner);
  ~TForm_Update() override;
  const wchar_t* ClassName() const override { return L"TForm_Update"; }

  // The stored font and the texts of the server page, for the application
  // to prepare before the form is read (the first paint then finds them).
  static std::vector<FontToPrepare> FirstPageFonts();

  // Stored components, in stored order.
  TNotebook* Notebook_step = nullptr;
  TLabel* Label1 = nullptr;
  TListBox* ListBox_servers = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edt_url = nullptr;
  TLabel* Label3 = nullptr;
  TListView* ListView_files = nullptr;
  TLabel* Label4 = nullptr;
  TGauge* Gauge_process = nullptr;
  TButton* btn_pre = nullptr;
  TButton* btn_next = nullptr;
  TButton* Button2 = nullptr;
  TMemo* Memo1 = nullptr;
  TShockwaveFlash* ShockwaveFlash1 = nullptr;
  TImageList* ImageList = nullptr;
  TNetHTTP* HTTPFiles = nullptr;
  TSkinData* SkinData1 = nullptr;
  TSkinCaption* SkinCaption1 = nullptr;

  // The wizard's own state (the transfer's is TDownloadSite's).
  std::wstring AppPath;
  std::wstring SubSysName;
  TStringList* FileList = nullptr;  // owned by the form
  bool UpdateReady = false;

  // Handlers of the stored form.
  void FormCreate(TComponent* sender);
  void FormShow(TComponent* sender);
  void ListBox_serversClick(TComponent* sender);
  void Notebook_stepPageChanged(TComponent* sender);
  void btn_nextClick(TComponent* sender);
  void btn_preClick(TComponent* sender);
  void Button2Click(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);
  void FormClose(TComponent* sender, TCloseAction& action);

  // Fetches the chosen server's manifest, stores it as update\update.ini and
  // lists its sections in FileList; false (after its message box) on failure.
  bool FetchManifest();
  void LogLine(const std::wstring& text) override;
  // True while a check-and-download run is in progress.
  bool RunActive() const { return runActive_; }

 protected:
  // A dialog border that keeps the minimise box the stored border icons ask for.
  void CreateParams(TCreateParams& params) override;
  void ShowDownloadAmount(const std::wstring& amountText, int64_t gaugeMaximum, int64_t gaugeProgress) override;
  void RepaintProgressPage() override;
  void ProcessMessages() override;
  void StagedCopyGrew(int64_t size) override;
  void WndProc(TMessage& message) override;

 private:
  void BindComponents();
  void ConnectHandlers();
  // The banner is an advertisement: without its control the strip stays
  // empty and the wizard works as before; the log keeps the reason.
  void ShockwaveFlash1ControlFailure(TComponent* sender, const std::wstring& text);
  void RunCheckAndDownload();
  // Decides, downloads, verifies and shows one manifest file (its outcome in outcomes_).
  void CheckAndDownloadFile(int row, const std::wstring& section, const ProfileIndex& manifest);
  // Downloads a file the run found out of date and checks the copy; a copy
  // that fails its check is discarded and fetched once more from the start.
  FileOutcome DownloadAndVerify(int row, const std::wstring& section, const ProfileIndex& manifest,
                                const std::wstring& datetime);
  void MarkRowFailed(int row, const std::wstring& verdict, const std::wstring& logText);

  // The network's routes: the proxy of every address, Basic answers to a
  // proxy's challenge, redirects (form_update_mirrors.cpp).
  void SetUpNetworkRoutes();
  // The manifest of the first server that answers with one: the picked
  // server, then the others of config.ini; stores and lists it and returns
  // the server's address. Raises when none did within the overall bound.
  std::wstring FetchManifestFromMirrors(const std::wstring& picked);
  // One server's manifest body; raises on every failure.
  std::string FetchManifestBody(const std::wstring& server);
  // Stores a body as update\update.ini and lists its sections; raises when it names none.
  void StoreManifest(const std::string& body);
  // A file of the run from the server whose manifest is used, and when it
  // fails there, from the next servers whose manifest is byte-identical.
  bool DownloadWithMirrors(const std::wstring& requestName, const std::wstring& stagedPath,
                           const std::string& release);
  bool SameManifestAt(const std::wstring& server);
  void RecordServerFailure(const std::wstring& server, std::optional<int64_t> retryAfterSeconds = std::nullopt);
  // Waits, with the window alive, until the moment; false when the wait was given up.
  bool WaitUntil(uint64_t momentMs);
  // The abort action: the transfer in progress ends with failure.
  void AbortTransfer();
  void InstallUpdate();
  // The box text of an earlier install that could not be undone.
  static std::wstring UnfinishedInstallText(const std::vector<std::wstring>& notRestored);
  // Undoes an earlier unfinished install before a run may fill update\ (the
  // undo reads what lies there); false, after telling the user, while it fails.
  bool ReplayUnfinishedInstall();
  void SetRowImage(int row, int image);
  void ReleaseFileList();
  // The check loop's share of keeping the window alive: the queue is served
  // whenever the last pump is older than a frame's worth of time.
  void KeepWindowAnswering();
  void HoldFileRows();
  void ShowFileRows();
  std::wstring ConfigPath() const { return AppPath + L"config.ini"; }
  std::wstring ManifestPath() const { return AppPath + L"update\\update.ini"; }
  std::wstring LogFilePath() const { return AppPath + L"update\\update.log"; }

  // The stored manifest as the last fetch left it, read once.
  ProfileIndex manifest_;
  std::unique_ptr<TWizardLog> log_;
  std::chrono::steady_clock::time_point lastPump_;
  bool rowsHeld_ = false;
  bool pumping_ = false;  // inside ProcessMessages: a handler of the user's runs
  // What the last run found for each entry of FileList (the row images).
  std::vector<FileOutcome> outcomes_;
  std::vector<int64_t> verifiedSizes_;
  SectionAdmission admission_;  // this run's refused and repeated names
  TDigestFollower* digestFollower_ = nullptr;  // hashes the copy being downloaded
  // The server address the current run started with ("/"-terminated).
  std::wstring runServer_;
  std::wstring answeringServer_;  // the server whose manifest the last fetch stored
  std::vector<UpdateServerEntry> runMirrors_;  // the servers of the run, in the order tried
  std::map<std::wstring, bool> identicalMirrors_;  // whose manifest equals the run's
  Sha256Digest manifestDigest_{};
  std::unique_ptr<ProxyChoice> proxyChoice_;
  ServerBackoff backoff_;
  std::mt19937 jitter_;
  RedirectTrail manifestTrail_;
  std::string manifestUrl_;  // the address the manifest request is at, redirects followed
  bool runActive_ = false;
  bool strictManifest_ = false;  // publisher keys are trusted: the manifest was signed
  bool installing_ = false;
  static constexpr UINT kTellUnfinishedInstall = WM_APP + 1;
  // The files an earlier install left mixed, told once the window is shown.
  std::vector<std::wstring> unfinishedInstall_;
  bool stopRequested_ = false;  // "中断下载": the run ends after the current transfer
  bool closing_ = false;  // the window closed while a run was active
  std::wstring amountText_;
  int64_t gaugeMaximum_ = 100;
  int64_t gaugeProgress_ = 0;
};

// The registered classes the wizard's layout names.
void RegisterFormUpdateClasses();

}  // namespace quonel
