#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace results {

// The file operations of the statistics workbook, each written so that a
// teacher's file is never lost: it is read whole, replaced in one step, or
// moved aside under a new name, but never truncated or overwritten in place.

// Why a file operation did not happen, for the one debug line that says so.
struct FileFailure {
  std::string action;  // "read", "write", "replace", ...
  std::filesystem::path path;
  std::error_code error;

  // "cannot <action> <path>: <reason>", as UTF-16 for the debug output.
  std::u16string Describe() const;
};

// What is at a path that should hold a statistics file.
struct FileContents {
  enum class Status {
    kRead,      // a regular file, read whole into `bytes`
    kMissing,   // nothing there
    kNotAFile,  // a folder, a device, a pipe: not touched, not read
    kFailed,    // a file that could not be read; `failure` says why
  };
  Status status = Status::kMissing;
  std::string bytes;
  std::optional<FileFailure> failure;
};

// Reads the file at `path` whole. Opening never blocks, even on a pipe.
FileContents ReadWholeFile(const std::filesystem::path& path);

// Makes `target` hold exactly `bytes`, or leaves it as it was:
//  - the bytes go to a new hidden file in the target's folder, which is
//    flushed to the disk and then renamed over the target, so at every
//    moment the target holds either its old content or the whole new one,
//    even if the program or the machine stops half-way;
//  - a target that is a symbolic link keeps its link: the file it names is
//    the one replaced; an existing target's permission bits are kept;
//  - on failure (missing or read-only folder, a folder as the target, a
//    file that may not be written, a full disk) the target is untouched and
//    the temporary file removed again.
// Returns nothing on success, else what failed.
std::optional<FileFailure> ReplaceFileContents(const std::filesystem::path& target,
                                               std::string_view bytes);

// Renames `file` to "<file>.unreadable-<stamp>", or, when that name is taken,
// to the first free one of "<file>.unreadable-<stamp>-2", "-3", ..., never
// replacing anything. Returns the new path, or what failed (the file then
// stays where it was, unchanged).
std::variant<std::filesystem::path, FileFailure> MoveFileAside(const std::filesystem::path& file,
                                                               std::string_view stamp);

}  // namespace results
