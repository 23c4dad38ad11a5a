// skinpack: builds, inspects and takes apart skin archives, and encodes or
// decodes bare LZHUF streams. A developer tool; the program never compresses.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lzh_encoder.h"

#include "core/little_endian.h"
#include "skin/archive/lzh.h"
#include "skin/archive/lzh_exception.h"
#include "skin/archive/skin_reader.h"
#include "skin_archive_writer.h"
#ifdef QUONEL_SKINPACK_DESCRIBE
#include "skin_describe.h"
#endif

namespace fs = std::filesystem;
using namespace quonel;

namespace {

// The member order of a folder: one file name per line.
constexpr const char* kOrderFile = "members.txt";

struct ToolError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError("cannot open " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw ToolError("cannot write " + path.string());
}

std::vector<std::string> MemberOrder(const fs::path& dir) {
  std::vector<std::string> names;
  if (fs::exists(dir / kOrderFile)) {
    for (std::string& line : SplitNameList(ReadFile(dir / kOrderFile))) {
      while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
      if (!line.empty() && line[0] != '#') names.push_back(line);
    }
    return names;
  }
  // Without an order file: the bitmaps by name, then the description.
  std::vector<std::string> bitmaps, descriptions;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".bmp") bitmaps.push_back(name);
    if (ext == ".ini") descriptions.push_back(name);
  }
  std::sort(bitmaps.begin(), bitmaps.end());
  std::sort(descriptions.begin(), descriptions.end());
  bitmaps.insert(bitmaps.end(), descriptions.begin(), descriptions.end());
  return bitmaps;
}

int Pack(const fs::path& dir, const fs::path& out) {
  std::vector<skinpack::MemberFile> members;
  for (const std::string& name : MemberOrder(dir)) members.push_back({name, ReadFile(dir / name)});
  if (members.empty()) throw ToolError("no members in " + dir.string());
  const std::string packed = skinpack::PackArchive(members);
  WriteFile(out, packed);
  std::printf("%zu members, %zu bytes packed\n", members.size(), packed.size());
  return 0;
}

TSkinReader OpenArchive(const fs::path& path) {
  TSkinReader reader;
  // A console tool: the version message goes to stderr, not into a box.
  reader.ShowMessage = [](const std::wstring& text) { std::fprintf(stderr, "%ls\n", text.c_str()); };
  if (!reader.ReadArchive(ReadFile(path))) throw ToolError(path.string() + " is not a usable skin archive");
  return reader;
}

int Unpack(const fs::path& skin, const fs::path& dir) {
  const TSkinReader reader = OpenArchive(skin);
  std::set<std::string> written;
  for (const TSkinMember& member : reader.Members()) {
    // Names come from the archive: every file must land inside dir, once.
    const fs::path name(member.name);
    if (member.name.empty() || name.has_parent_path() || name.has_root_name() || name.is_absolute() ||
        member.name == "." || member.name == ".." || member.name == kOrderFile || !written.insert(member.name).second) {
      throw ToolError("refusing member name '" + member.name + "'");
    }
  }
  fs::create_directories(dir);
  std::string order;
  for (const TSkinMember& member : reader.Members()) {
    WriteFile(dir / member.name, reader.Data().substr(member.offset, static_cast<size_t>(member.size)));
    order += member.name + "\n";
  }
  WriteFile(dir / kOrderFile, order);
  return 0;
}

int List(const fs::path& skin) {
  const TSkinReader reader = OpenArchive(skin);
  std::printf("version %d, name list %d bytes, %d members, %zu bytes of contents\n", reader.Version(),
              reader.NameListLength(), reader.MemberCount(), reader.Data().size());
  int index = 1;
  for (const TSkinMember& member : reader.Members()) {
    std::printf("%3d %9d %9u  %s\n", index++, member.size, member.offset, member.name.c_str());
  }
  return 0;
}

int Decode(const fs::path& in, const fs::path& out) {
  const std::string stream = ReadFile(in);
  if (stream.size() < 4) throw ToolError("stream shorter than its size field");
  const int32_t size = ReadLittleEndianInt32(stream, 0);
  if (size < 0 || size > TLZH::kMaxDecodedSize) throw ToolError("implausible decoded size " + std::to_string(size));
  std::string decoded = TLZH::Decode(std::string_view(stream).substr(4), size);
  decoded.resize(static_cast<size_t>(size));  // a final match may run past the size
  WriteFile(out, decoded);
  return 0;
}

int Encode(const fs::path& in, const fs::path& out) {
  WriteFile(out, skinpack::LzhEncode(ReadFile(in)));
  return 0;
}

// The archive as a form stores it in its SkinStream property: the archive's
// length as 32 bits, then the archive.
int Property(const fs::path& skin, const fs::path& out) {
  const std::string archive = ReadFile(skin);
  if (archive.size() > static_cast<size_t>(INT32_MAX)) throw ToolError(skin.string() + " is too large");
  std::string stored;
  AppendLittleEndian32(stored, static_cast<uint32_t>(archive.size()));
  WriteFile(out, stored + archive);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: skinpack pack DIR OUT       members of DIR (order from DIR/%s) into a skin archive\n"
               "       skinpack unpack SKIN DIR    every member of SKIN into DIR\n"
               "       skinpack list SKIN          version, members and sizes\n"
               "       skinpack encode IN OUT      IN as a bare compressed stream\n"
               "       skinpack decode IN OUT      a bare compressed stream back\n"
               "       skinpack property SKIN OUT  SKIN as a form's stored SkinStream value\n"
               "       skinpack describe SKIN      the skin objects the engine builds (Windows build)\n",
               kOrderFile);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    if (args.size() == 3 && args[0] == "decode") return Decode(args[1], args[2]);
    if (args.size() == 3 && args[0] == "encode") return Encode(args[1], args[2]);
    if (args.size() == 3 && args[0] == "property") return Property(args[1], args[2]);
#ifdef QUONEL_SKINPACK_DESCRIBE
    if (args.size() == 2 && args[0] == "describe") return skinpack::DescribeCommand(ReadFile(args[1]));
#endif
    return Usage();
  } catch (const Exception& error) {
    std::fprintf(stderr, "skinpack: %ls\n", error.Message().c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinpack: %s\n", error.what());
  }
  return 1;
}
