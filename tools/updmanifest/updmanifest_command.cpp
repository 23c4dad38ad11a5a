#include "updmanifest_command.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "file_time.h"
#include "manifest_builder.h"
#include "native_text.h"
#include "server_check.h"
#include "signing_commands.h"

namespace quonel::updmanifest {
namespace {

const char kUsage[] =
    "usage: updmanifest [--names FILE] [--datetime \"YYYY/M/D H:MM:SS\"] [--output MANIFEST] RELEASE_FOLDER\n"
    "       updmanifest --check MANIFEST SERVER_FOLDER\n"
    "       updmanifest keygen NAME\n"
    "       updmanifest sign NAME.key MANIFEST [--serial N] [--expires DAYS] [--product NAME]\n"
    "       updmanifest --sign NAME.key [--serial N] [--expires DAYS] [--product NAME] --output MANIFEST ... "
    "RELEASE_FOLDER\n"
    "       updmanifest verify NAME.pub MANIFEST\n";

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  std::ifstream file(PathFromText(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return bytes.str();
}

class Command {
 public:
  Command(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int Run(const std::vector<std::wstring>& arguments) {
    if (arguments.size() == 3 && arguments[0] == L"--check") return Check(arguments[1], arguments[2]);
    if (arguments.size() == 2 && arguments[0] == L"keygen") return GenerateKeyFiles(arguments[1], err_);
    if (arguments.size() == 3 && arguments[0] == L"verify") return VerifyManifest(arguments[1], arguments[2], out_, err_);
    if (arguments.size() >= 3 && arguments[0] == L"sign") return Sign(arguments);
    ManifestOptions options;
    std::optional<std::wstring> output, signingKey;
    SigningOptions signing;
    for (size_t i = 0; i < arguments.size(); ++i) {
      const std::wstring& argument = arguments[i];
      const bool hasValue = i + 1 < arguments.size();
      std::wstring problem;
      if (TakeSigningOption(arguments, i, signing, problem)) {
        if (!problem.empty()) return Fail(problem, 2);
      } else if (argument == L"--sign" && hasValue) {
        signingKey = arguments[++i];
      } else if (argument == L"--names" && hasValue) {
        const std::optional<std::string> bytes = ReadWholeFile(arguments[++i]);
        if (!bytes) return Fail(L"the names file " + arguments[i] + L" cannot be read", 2);
        options.namesFileBytes = *bytes;
      } else if (argument == L"--datetime" && hasValue) {
        options.releaseDate = ReadManifestDate(arguments[++i], CurrentLocalYear());
        // A time alone reads as a day of 1899, which no installed file is older than.
        if (!options.releaseDate || options.releaseDate->year < 1980 || options.releaseDate->year > 2107)
          return Fail(L"\"" + arguments[i] + L"\" is not a date from 1980 to 2107 that the wizard reads", 2);
      } else if (argument == L"--output" && hasValue) {
        output = arguments[++i];
        options.output = PathFromText(*output);
      } else if (argument.starts_with(L"-") || !options.release.empty()) {
        return Usage();
      } else {
        options.release = PathFromText(argument);
      }
    }
    if (options.release.empty()) return Usage();
    if (signingKey && !output) return Fail(L"--sign needs --output: the signature is written beside the manifest", 2);
    const int published = Publish(options, output);
    if (published != 0 || !signingKey) return published;
    return SignManifest(*signingKey, *output, signing, err_);
  }

 private:
  int Publish(const ManifestOptions& options, const std::optional<std::wstring>& output) {
    const BuiltManifest manifest = BuildManifest(options);
    for (const std::wstring& warning : manifest.warnings) Say(L"warning: " + warning);
    if (!manifest.problems.empty()) {
      for (const std::wstring& problem : manifest.problems) Say(problem);
      return Fail(L"no manifest written", 1);
    }
    if (!output) {
      out_.write(manifest.bytes.data(), static_cast<std::streamsize>(manifest.bytes.size()));
      out_.flush();
      return out_ ? 0 : Fail(L"the manifest cannot be written", 1);
    }
    std::ofstream file(options.output, std::ios::binary | std::ios::trunc);
    file.write(manifest.bytes.data(), static_cast<std::streamsize>(manifest.bytes.size()));
    file.close();
    if (!file) return Fail(L"the manifest cannot be written to " + *output, 1);
    Say(L"wrote " + *output + L": " + std::to_wstring(manifest.files) + L" files");
    return 0;
  }

  int Check(const std::wstring& manifestPath, const std::wstring& folder) {
    const std::optional<std::string> bytes = ReadWholeFile(manifestPath);
    if (!bytes) return Fail(L"the manifest " + manifestPath + L" cannot be read", 2);
    const CheckReport report = CheckServerFolder(*bytes, PathFromText(folder), CurrentLocalYear());
    for (const std::wstring& difference : report.differences) out_ << ConsoleBytes(difference) << "\n";
    out_ << ConsoleBytes(L"checked " + std::to_wstring(report.files) + L" files: " +
                         (report.differences.empty() ? L"all present and equal"
                                                     : std::to_wstring(report.differences.size()) + L" differences"))
         << "\n";
    return report.differences.empty() ? 0 : 1;
  }

  // sign NAME.key MANIFEST [options]
  int Sign(const std::vector<std::wstring>& arguments) {
    SigningOptions signing;
    for (size_t i = 3; i < arguments.size(); ++i) {
      std::wstring problem;
      if (!TakeSigningOption(arguments, i, signing, problem)) return Usage();
      if (!problem.empty()) return Fail(problem, 2);
    }
    return SignManifest(arguments[1], arguments[2], signing, err_);
  }

  int Usage() {
    err_ << kUsage;
    return 2;
  }
  int Fail(const std::wstring& text, int code) {
    Say(text);
    return code;
  }
  void Say(const std::wstring& text) { err_ << "updmanifest: " << ConsoleBytes(text) << "\n"; }

  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunUpdmanifest(const std::vector<std::wstring>& arguments, std::ostream& out, std::ostream& err) {
  return Command(out, err).Run(arguments);
}

}  // namespace quonel::updmanifest
