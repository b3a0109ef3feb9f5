#include "app/results/WorkbookFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "engine/platform/text/Utf.h"

namespace results {

namespace fs = std::filesystem;

namespace {

FileFailure Failure(std::string action, fs::path path, int error) {
  return FileFailure{std::move(action), std::move(path),
                     std::error_code(error, std::generic_category())};
}

// Reads errno before anything else can change it.
FileFailure FailureFromErrno(const char* action, const fs::path& path) {
  const int error = errno;
  return Failure(action, path, error);
}

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports the outcome, which for a file just written is the
  // last chance to hear of a failed write.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// The temporary file of a save: removed again unless it has been renamed.
class TemporaryFile {
 public:
  explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const fs::path& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  fs::path path_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A link is followed to the file it names, so that the link survives the
// save; a dangling or looping link is replaced like a file.
fs::path FollowLink(const fs::path& target) {
  std::error_code error;
  if (!fs::is_symlink(target, error)) return target;
  fs::path resolved = fs::canonical(target, error);
  return error ? target : resolved;
}

// A name in the target's folder that no earlier save of any process left.
// The name starts with a dot so that file managers hide it.
Descriptor CreateTemporary(const fs::path& destination, fs::path& temporary, int& error) {
  static std::atomic<unsigned> counter = 0;
  const fs::path folder = destination.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = "." + destination.filename().native() + ".saving-" +
                             std::to_string(::getpid()) + "-" + std::to_string(counter++);
    temporary = folder.empty() ? fs::path(name) : folder / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return Descriptor(fd);
    error = errno;
    if (error != EEXIST) break;
  }
  return Descriptor(-1);
}

// Makes the rename itself durable. A folder that cannot be synced (some file
// systems refuse) changes nothing: the new content is already in place.
void SyncFolder(const fs::path& folder) {
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

}  // namespace

std::u16string FileFailure::Describe() const {
  return platform::Utf8ToUtf16("cannot " + action + " " + path.native() + ": " + error.message());
}

FileContents ReadWholeFile(const fs::path& path) {
  FileContents contents;
  // O_NONBLOCK keeps a pipe or a device at the path from stalling the open;
  // such things are not read at all.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.valid()) {
    // A path through something that is not a folder names nothing either.
    if (errno == ENOENT || errno == ENOTDIR) {
      contents.status = FileContents::Status::kMissing;
    } else {
      contents.status = FileContents::Status::kFailed;
      contents.failure = FailureFromErrno("read", path);
    }
    return contents;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) {
    contents.status = FileContents::Status::kFailed;
    contents.failure = FailureFromErrno("read", path);
    return contents;
  }
  if (!S_ISREG(info.st_mode)) {
    contents.status = FileContents::Status::kNotAFile;
    return contents;
  }
  contents.bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      contents.status = FileContents::Status::kFailed;
      contents.failure = FailureFromErrno("read", path);
      contents.bytes.clear();
      return contents;
    }
    contents.bytes.append(buffer, static_cast<std::size_t>(got));
  }
  contents.status = FileContents::Status::kRead;
  return contents;
}

std::optional<FileFailure> ReplaceFileContents(const fs::path& target, std::string_view bytes) {
  const fs::path destination = FollowLink(target);
  if (!destination.has_filename()) return Failure("save to", target, EISDIR);

  // A file that may not be written keeps its content, as it would if it
  // were written in place: opening it for writing (which changes nothing)
  // asks the system just that.
  struct stat old {};
  const bool replacesFile = ::stat(destination.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replacesFile) {
    const Descriptor probe(::open(destination.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (!probe.valid()) return FailureFromErrno("replace", destination);
  }

  fs::path temporaryPath;
  int createError = 0;
  Descriptor fd = CreateTemporary(destination, temporaryPath, createError);
  if (!fd.valid()) {
    const fs::path folder = destination.parent_path();
    return Failure("create a file in", folder.empty() ? fs::path(".") : folder, createError);
  }
  TemporaryFile temporary(temporaryPath);
  if (replacesFile) ::fchmod(fd.get(), old.st_mode & 07777);
  if (!WriteAll(fd.get(), bytes)) return FailureFromErrno("write", temporary.path());
  if (::fsync(fd.get()) != 0) return FailureFromErrno("flush", temporary.path());
  if (fd.Close() != 0) return FailureFromErrno("write", temporary.path());
  if (::rename(temporary.path().c_str(), destination.c_str()) != 0) {
    return FailureFromErrno("replace", destination);
  }
  temporary.Keep();
  SyncFolder(destination.parent_path());
  return std::nullopt;
}

std::variant<fs::path, FileFailure> MoveFileAside(const fs::path& file, std::string_view stamp) {
  const std::string base = file.native() + ".unreadable-" + std::string(stamp);
  for (int n = 1; n < 1000; ++n) {
    const fs::path candidate = n == 1 ? base : base + "-" + std::to_string(n);
    if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
      return candidate;
    }
    if (errno == EEXIST) continue;
    if (errno != EINVAL) return FailureFromErrno("move aside", file);
    // A file system without no-replace renames: look first, then rename.
    struct stat taken {};
    if (::lstat(candidate.c_str(), &taken) == 0) continue;
    if (::rename(file.c_str(), candidate.c_str()) == 0) return candidate;
    return FailureFromErrno("move aside", file);
  }
  return Failure("move aside", file, EEXIST);
}

}  // namespace results
