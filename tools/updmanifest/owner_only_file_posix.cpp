#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "signing_key_file.h"

namespace quonel::updmanifest {

void WriteOwnerOnlyFile(const std::filesystem::path& path, const std::string& bytes) {
  // Created with its mode at once: there is no moment in which others may read it.
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (file < 0) throw std::runtime_error(path.string() + " exists already or cannot be created");
  const bool written = write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  const bool closed = close(file) == 0;
  if (!written || !closed) throw std::runtime_error(path.string() + " cannot be written");
}

}  // namespace quonel::updmanifest
