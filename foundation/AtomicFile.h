#pragma once
// Whole-file writes that never leave a half-written file behind, and the look-up of files
// by name regardless of case (the program names its files in mixed case, while the
// delivered and user-copied files may be spelled otherwise).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/Messages.h"

namespace tav {

class StatusSink;

// Replaces the content of `target` by `bytes`: the bytes go to a new temporary file in the
// same folder, which is flushed to disk and then renamed over the target; the old file is
// never deleted or truncated first, so a crash or a full disk leaves either the old or the
// new content. An existing target keeps its permission bits; a write-protected one (no write
// bit, or not writable for the process) is not replaced, nor is a file written into a folder
// without write bits, also when the process runs as root, nor anything that is no regular file
// (a folder, a pipe, a device); a symbolic link is followed and the file it points to is
// replaced, while a link whose target is missing is refused (a rename would put a regular
// file in the link's place, and the link would be lost). Returns true on success. On failure the target is
// untouched, the temporary file is removed, and `error` (when given) receives a
// message-ready German text naming the file and the reason. Never throws.
bool WriteFileAtomic(const std::filesystem::path& target, std::string_view bytes,
                     std::string* error = nullptr);

// The mkstemp template of the temporary file that replaces `target`: a hidden name in the
// target's folder, ".<name>.tavtmp-XXXXXX" (the name cut to 200 bytes), so that leftovers
// of a crash can be told from anyone else's files.
std::string TempFileTemplate(const std::filesystem::path& target);
// True when FileName (without folder) is a temporary name TempFileTemplate's template gives.
bool IsOwnTempFileName(std::string_view FileName);

// Removes from `folder` (not its subfolders) the regular files of the program's own temporary
// naming whose last change lies at least `minAge` back: leftovers of a write or copy that a
// crash interrupted. Younger ones may belong to a write in progress and stay. Returns how
// many were removed. Never throws. Called at start-up for the folders the program writes to.
std::size_t RemoveStaleTempFiles(const std::filesystem::path& folder,
                                 std::chrono::seconds minAge = std::chrono::hours(24));

// "Die Datei <file> kann nicht geschrieben werden: <reason>": the message of a write that
// failed, in the session's language (the reason too: SystemGrund for an errno).
std::string WriteFailureText(const std::filesystem::path& file, const std::string& reason);
// "Die Datei <file> kann nicht gelesen werden: <reason>": the message of a read that failed.
std::string ReadFailureText(const std::filesystem::path& file, const std::string& reason);

// Why `target` is a symbolic link that cannot be written through: the file it points to is
// missing (a message-ready German text naming link and target); empty otherwise. Writing
// in its place would replace the link by a regular file.
std::string FehlendesLinkZiel(const std::filesystem::path& target);

// Makes a write beyond the process's file-size limit fail with EFBIG (and so with the
// write's message) instead of ending the program by SIGXFSZ. Called once at start-up.
void IgnoreFileSizeSignal();

// Writes all of `bytes` to an open file descriptor, going on after partial and interrupted
// writes. On failure returns false with the errno value in `err`.
bool WriteAllToFd(int fd, std::string_view bytes, int& err);

// An advisory lock (flock) that keeps two programs on one data folder from rewriting the same
// file at once: whoever reads a file to change a part of it holds the lock from the read to the
// rename, so a second program's read waits for the first one's file. The lock lies on a hidden
// file of its own beside the target, ".<name>.tavlock", removed again on release: the target
// itself is replaced by a rename at every write, and a lock on the replaced copy would not
// keep out a program that opens the new one. A symbolic link is followed, as by the write.
// A lock file that cannot be opened for writing (another user's, one without write bits, a
// folder in its place, a read-only file system) is locked through a read-only descriptor and
// left in place; one that cannot be opened at all refuses the lock with a message. Where no
// lock file can be created (a folder without write permission), the lock counts as held: the
// write that follows fails with its own message. Waits at most `wait` for another holder,
// showing the wait through the sink of SetLockWaitStatus when it lasts more than a moment;
// after that Ok() is false and Error() names the file. Never throws.
// While it lives, the one-button messages of its thread are held back and shown once it is
// given up (MeldungenSpaeter, foundation/Messages.h), so no message waiting for the user keeps
// the other program out; a question is not held back, so the holder asks before it locks.
class FileWriteLock {
 public:
  explicit FileWriteLock(const std::filesystem::path& target,
                         std::chrono::milliseconds wait = std::chrono::seconds(10));
  ~FileWriteLock();
  FileWriteLock(const FileWriteLock&) = delete;
  FileWriteLock& operator=(const FileWriteLock&) = delete;

  bool Ok() const { return ok_; }
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  bool ok_ = true;
  std::string error_;
  std::filesystem::path lockFile_;  // removed on release
  // Ends after the destructor has given the lock up: what was held is shown then.
  MeldungenSpaeter spaeter_;
};

// Where a wait for another program's lock is shown (status text and busy cursor); nullptr,
// the default, shows nothing. The program sets its splash screen and then its main window.
void SetLockWaitStatus(StatusSink* sink);

// True when FileName (without folder) is a lock file's name (".<name>.tavlock").
bool IsOwnLockFileName(std::string_view FileName);

// Removes from `folder` the lock files that no program holds: leftovers of a program that was
// killed while it wrote. A lock file in use stays. Returns how many were removed. Never
// throws. Called at start-up beside RemoveStaleTempFiles.
std::size_t RemoveStaleLockFiles(const std::filesystem::path& folder);

// The lock file of `target`: ".<name>.tavlock" in its folder.
std::filesystem::path LockFilePath(const std::filesystem::path& target);

// The largest file each kind of reader takes in. Real files stay far below (the largest
// catalogues are a few MB); the bound keeps a wrong or damaged file from filling the memory,
// since a file costs a multiple of its size once decoded and split into lines.
inline constexpr std::uintmax_t kMaxKatalogBytes = 32u << 20;  // catalogues, the project file
inline constexpr std::uintmax_t kMaxIniBytes = 16u << 20;      // settings, language files
inline constexpr std::uintmax_t kMaxImportBytes = 4u << 20;    // weather data of other programs


// Reads a whole file. Returns false (and a message-ready text in `error`) when it cannot be
// opened or read; a missing file is such a failure too, so callers that treat a missing
// file as empty test for existence first. Only a regular file (or a link to one) is opened,
// and without waiting, so a named pipe or a device is refused at once; a file larger than
// `maxBytes`, or one that does not fit into memory, is refused as well. Never throws.
bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes,
                   std::string* error = nullptr, std::uintmax_t maxBytes = kMaxIniBytes);

// True when `bytes` hold nothing but blanks, tabs, line ends and the end-of-file mark, perhaps
// behind a UTF-8 byte-order mark: a file that says nothing.
bool NurLeerraum(std::string_view bytes);

// The path of the entry of `folder` whose name equals `name` without regard to case (an exact
// match is preferred; among several case variants the first in name order wins). When no
// entry matches, or the folder cannot be listed, folder / name is returned unchanged, so the
// result can also be used to create the file. Never throws.
std::filesystem::path FindFileNoCase(const std::filesystem::path& folder, const std::string& name);

}  // namespace tav
