#pragma once
// Plain file helpers of the start-up code: the file-name sanitiser, copying with the file
// date kept, file dates as day serials, and the user's standard folders.

#include <filesystem>
#include <string>
#include <string_view>

namespace tav {

// Lower-cases Text and keeps "-", ".", ":", the digits, "a".."z", "ß", "ä", "ö" and "ü";
// every other character becomes "_"; one trailing "_" is removed.
// "Hans_C:\Programme\Tavrel\" gives "hans_c:_programme_tavrel".
std::string SanitizeFileName(std::string_view Text);

// True when File is an existing regular file (or a link to one); false also when it cannot
// be examined. Never throws.
bool IsRegularFile(const std::filesystem::path& File);

// The modification date of a file as a day serial (TDateTime, local time); 0 when the file
// does not exist or its date cannot be read.
double FileDateOf(const std::filesystem::path& File);

// Copies Source to Target through a temporary file in the target's folder that is renamed
// over the target, and gives the copy the source's modification date and permission bits,
// plus the owner's write permission (the copy is a working file). Does nothing (and
// returns false, `error` empty) when the source is missing or both name the same file. The
// old target is never removed before the new copy is complete. A target that is a symbolic
// link gets the copy where it points; one whose target is missing is left as it is. Any
// other failure gives a message-ready text naming the target and the reason in `error`.
// Never throws.
bool CopyFileKeepDate(const std::filesystem::path& Source, const std::filesystem::path& Target,
                      std::string* error = nullptr);

// True when the file's content was written after its modification date was last set by
// CopyFileKeepDate, i.e. someone changed the file since it was copied: its status-change
// time is not clearly later than its modification time. False for a missing file.
bool ChangedSinceCopy(const std::filesystem::path& File);

// The user's standard folders, from the XDG variables (absolute values only) with their
// usual defaults under $HOME; each ends with "/". Empty when $HOME is not set either.
std::string HomeFolder();
std::string XdgDataHome();    // $XDG_DATA_HOME or ~/.local/share
std::string XdgConfigHome();  // $XDG_CONFIG_HOME or ~/.config

// Folder of the running program (/proc/self/exe), with "/"; empty when unknown.
std::string ExecutableFolder();

// Folder with exactly one trailing "/" (an empty text stays empty).
std::string WithSlash(std::string Folder);

}  // namespace tav
