#pragma once
// TBigIniFile: the INI-file class through which every key/value text file of the program is
// read and written (settings, projects, catalogues, language files, the EnEV exchange file).
//
// The whole file is held in memory as a list of sections in file order, each with its lines
// stored verbatim (UTF-8 inside; the file's encoding is converted at load and flush). Reads
// are answered from memory; writes change memory and set Modified; FlushFile / UpdateFile
// rewrite the whole file atomically (temporary file, then rename), and so does the destructor.
//
// File format
// - A line ends at LF; a CR before it is dropped. Empty lines and lines consisting only of the
//   end-of-file mark (character 26) are skipped. Lines in front of the first section are
//   dropped.
// - A line starting with "[" and ending with "]" (trailing blanks and tabs after the "]" are
//   tolerated) opens a section; the name is the text between the brackets, not trimmed.
// - Every other line belongs to the current section and is written back unchanged (comments,
//   lines without "=").
// - A key matches on the text before the first "=" of a line, without regard to case; a blank
//   before "=" belongs to the key. The value is the rest of the line, untrimmed.
// - Written: each section that has lines as "[name]", its lines, one empty line; CR LF; in the
//   encoding the file was read in (code page 1252 or 1250 as chosen by the caller, or UTF-8
//   when it was read as UTF-8); no byte-order mark unless the file had one. A new file, or
//   one of plain ASCII, whose text the code page cannot hold becomes UTF-8 with byte-order
//   mark; a file that showed its code page is never written with "?" for a character.
//
// Duplicate sections (the same name twice, in any case)
// - The first occurrence is the section: every look-up by name (ReadString, WriteString,
//   DeleteKey, ReadSection, ReadSectionValues, SectionExists, ReadSections) sees only it, and
//   ReadSections lists the name once.
// - Later occurrences are NOT discarded: they keep their place and their lines and are written
//   back unchanged, so a hand-edited catalogue with two "[Ort 5]" loses nothing on rewrite.
//   HasDuplicates / DuplicateSectionNames tell the caller (for a message); the indexed access
//   (SectionCount, SectionNameAt, SectionLinesAt, ReadStringAt) lets catalogue readers see
//   every section in file order, duplicates included.
// - EraseSection removes the name with ALL its occurrences (an explicit erase means the name
//   goes). EraseDuplicates drops the later occurrences explicitly and marks the content
//   modified.
//
// Errors
// - A missing file is empty content, not an error, and is never created unless something was
//   written. A file that exists but cannot be read gives LoadError(); such an object refuses
//   to flush (the unread file must not be replaced by what little is in memory).
// - FlushFile / UpdateFile return false on failure with a message-ready LastError(); the old
//   file stays as it was and Modified stays set. The destructor flushes, never throws, and
//   shows a failure through the message service (foundation/Messages.h).
// - Typed reads never throw: empty or malformed text, and numbers out of range, give Default.
// - WriteString rejects (returns false, changes nothing) an empty Ident, an Ident containing
//   "=" or a line break or starting with "[", and a Section containing a line break; erasing a
//   section is the explicit EraseSection. A line end (LF or CR LF) inside a Value becomes a
//   blank, so a value can never break the file's structure; a lone CR, which the reader keeps
//   inside a line, is kept.
// - A flush refuses to write a text its encoding cannot hold (a character code page 1252
//   lacks) rather than store "?" for it; the file stays as it was.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"

namespace tav {

// Days since 30.12.1899, the fraction is the time of day.
using TDateTime = double;

// Text forms used by the class, also for callers that parse lines themselves.
// Decimal or hexadecimal ("$1F", "0x1F", "x1F"; hexadecimal digits give the 32-bit pattern, so
// "$FFFFFFFF" is -1) with an optional sign. Blanks and tabs around the number are read over,
// before it and after it, as around a decimal number: " 12" and "12 " both give 12, so a
// value written by hand with a trailing blank keeps its number. Anything else (a blank inside
// the number, a fraction, an empty text) and a value outside the 32-bit range give Default.
std::int32_t IniStrToInt(std::string_view text, std::int32_t Default);
// Decimal comma or point, optional exponent, surrounding blanks ignored; garbage, overflow,
// "INF" and "NAN" give Default.
double IniStrToFloat(std::string_view text, double Default);
// The same forms; false (out unchanged) where the above give Default.
bool IniParseInt(std::string_view text, std::int32_t& out);
bool IniParseFloat(std::string_view text, double& out);
// At most 15 significant digits, decimal comma, plain notation from 0,00001 up to 15 integer
// digits, otherwise "E" notation ("1E20", "1E-6", "-1,5E-7"); -0 gives "0".
std::string IniFloatToStr(double value);
// "dd.mm.yyyy"; "hh:nn:ss"; date + " " + time, the time left out at exactly midnight.
std::string IniDateToStr(TDateTime value);
std::string IniTimeToStr(TDateTime value);
std::string IniDateTimeToStr(TDateTime value);
// The message for a file left unwritten because of `problem` (see ExactFileImage).
std::string NotWrittenText(const std::string& fileName, const std::string& problem);
// "d.m.yyyy" (two-digit years: 00..49 -> 20xx, 50..99 -> 19xx), "h:n" or "h:n:s", or both
// separated by blanks. Return false on anything else.
bool IniStrToDate(std::string_view text, TDateTime& out);
bool IniStrToTime(std::string_view text, TDateTime& out);
bool IniStrToDateTime(std::string_view text, TDateTime& out);

// The section list: names in file order, each owning its lines.
class TSectionList {
 public:
  struct Entry {
    std::string Name;
    std::vector<std::string> Lines;
    bool Duplicate = false;  // a later occurrence of an earlier name; hidden from look-ups
  };

  // Index of the (first) section named Name, without regard to case, or -1. Searches from
  // LastFound to the end, then from the start, and remembers a hit in LastFound.
  int IndexOf(std::string_view Name);
  int Count() const { return static_cast<int>(Items.size()); }

  std::vector<Entry> Items;
  std::int32_t LastFound = 0;
};

class TBigIniFile {
 public:
  static constexpr std::int32_t DefaultTextBufferSize = 28672;

  // Empty content, then SetFileName(FileName). Files without byte-order mark that are not
  // plainly UTF-8 are read and written in `codePage`.
  explicit TBigIniFile(const std::string& FileName = std::string(),
                       CodePage codePage = CodePage::Cp1252);
  ~TBigIniFile();
  TBigIniFile(const TBigIniFile&) = delete;
  TBigIniFile& operator=(const TBigIniFile&) = delete;

  // Flushes pending changes to the old file, clears, takes the new name, loads it and clears
  // Modified. When the pending flush fails nothing changes and false is returned.
  bool SetFileName(const std::string& Name);
  const std::string& FileName() const { return FileName_; }

  bool Modified() const { return Modified_; }
  std::int32_t TextBufferSize() const { return TextBufferSize_; }
  std::int32_t CurSection() const { return CurSection_; }
  // The encoding the content is written in: as the file was read, else the constructor's. A
  // file of plain ASCII (or none) whose new text that code page cannot hold is written as
  // UTF-8 with byte-order mark instead (EncodingForWrite).
  TextEncoding Encoding() const { return Encoding_; }

  // Empty when the last load succeeded or the file did not exist.
  const std::string& LoadError() const { return LoadError_; }
  // Message-ready text of the last failed flush; empty after a successful one.
  const std::string& LastError() const { return LastError_; }

  // Key look-up shared by reads, writes and deletes: the index of the key's line in the
  // section's line list (returned through List, nullptr when the section is missing and not
  // created), or -1.
  std::int32_t FindKey(std::string_view Section, std::string_view Ident,
                       std::vector<std::string>*& List, bool CreateSection);

  // Drops the later occurrences of repeated section names; true when anything was dropped
  // (the content is then modified).
  bool EraseDuplicates();
  bool HasDuplicates() const;
  // Each repeated name once, spelled as its first occurrence, in file order.
  std::vector<std::string> DuplicateSectionNames() const;

  // Appends the sections of file Name to the content (a missing file adds nothing). A file
  // that is no regular file, is larger than MaxBytes or does not fit into memory gives
  // LoadError() and adds nothing.
  void LoadFile(const std::string& Name, std::uintmax_t MaxBytes = kMaxIniBytes);
  void Clear();
  void DeleteKey(std::string_view Section, std::string_view Ident);
  void EraseSection(std::string_view Section);
  // Appends the file image (every section with lines, duplicates included) to Strings.
  void SaveToStrings(std::vector<std::string>& Strings) const;
  // The file image: every line ended by CR LF, in the encoding the file was read in.
  std::string FileImage() const;
  // The bytes a flush writes: the file image, refused (false, `problem` says why, see
  // EncodeTextExact) when the encoding cannot hold every character or the next read would
  // decode the bytes differently.
  bool ExactFileImage(std::string& bytes, std::string& problem) const;
  // Appends sections parsed from Strings (the end-of-file mark has no meaning here).
  void LoadFromStrings(const std::vector<std::string>& Strings);
  // Appends sections parsed from decoded text (the lines as ForEachLine visits them).
  void LoadFromText(std::string_view Text);
  // Rewrites the file when modified. False on failure (see LastError); Modified stays set.
  bool FlushFile();
  bool UpdateFile() { return FlushFile(); }
  // Forgets the changes not written yet, so that the destructor neither writes them nor
  // reports a failure: for callers that deal with a failed flush themselves.
  void DiscardChanges() { Modified_ = false; }

  std::string ReadStringValue(std::string_view Section, std::string_view Ident,
                              const std::string& Default);
  // Decodes hexadecimal pairs into Stream (an invalid pair is the byte 0, an odd last character
  // is ignored); the number of bytes written.
  std::int32_t ReadBinaryStream(std::string_view Section, std::string_view Ident,
                                std::ostream& Stream);
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default);
  TDateTime ReadDate(std::string_view Section, std::string_view Ident, TDateTime Default);
  TDateTime ReadDateTime(std::string_view Section, std::string_view Ident, TDateTime Default);
  double ReadFloat(std::string_view Section, std::string_view Ident, double Default);
  // The value read as IniStrToInt reads it (blanks around the number allowed).
  std::int32_t ReadInteger(std::string_view Section, std::string_view Ident,
                           std::int32_t Default);
  // Appends the key names (text before the first "=", when not empty) of the section.
  void ReadSection(std::string_view Section, std::vector<std::string>& Strings);
  // Replaces Strings by the section names in file order (each name once).
  void ReadSections(std::vector<std::string>& Strings) const;
  // Appends every line of the section unchanged.
  void ReadSectionValues(std::string_view Section, std::vector<std::string>& Strings);
  std::string ReadString(std::string_view Section, std::string_view Ident,
                         const std::string& Default);
  TDateTime ReadTime(std::string_view Section, std::string_view Ident, TDateTime Default);
  bool SectionExists(std::string_view Section);
  bool ValueExists(std::string_view Section, std::string_view Ident);

  bool WriteStringValue(std::string_view Section, std::string_view Ident,
                        std::string_view Value);
  bool WriteBool(std::string_view Section, std::string_view Ident, bool Value);
  // Encodes the stream's remaining bytes as upper-case hexadecimal pairs.
  bool WriteBinaryStream(std::string_view Section, std::string_view Ident, std::istream& Stream);
  bool WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value);
  bool WriteDateTime(std::string_view Section, std::string_view Ident, TDateTime Value);
  bool WriteFloat(std::string_view Section, std::string_view Ident, double Value);
  bool WriteInteger(std::string_view Section, std::string_view Ident, std::int32_t Value);
  // Writes the line Ident + "=" + Value: appended when the key is missing (the section is
  // appended when missing), replaced when it differs (also in the case of Ident's letters).
  // False when rejected (see the header comment).
  bool WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
  bool WriteTime(std::string_view Section, std::string_view Ident, TDateTime Value);

  // Every section in file order, later occurrences of a name included; Index runs from 0 to
  // SectionCount() - 1 (ReadStringAt gives Default for any other Index).
  std::int32_t SectionCount() const { return Sections.Count(); }
  const std::string& SectionNameAt(std::int32_t Index) const;
  const std::vector<std::string>& SectionLinesAt(std::int32_t Index) const;
  bool IsDuplicateAt(std::int32_t Index) const;
  // ReadString on the section at Index (for the later occurrences of a name).
  std::string ReadStringAt(std::int32_t Index, std::string_view Ident,
                           const std::string& Default) const;

 private:
  void AppendLine(std::string_view line, bool eofMarkIsEmpty, bool& inSection);
  void AppendLines(const std::vector<std::string>& lines, bool eofMarkIsEmpty);
  void AppendText(std::string_view text, bool eofMarkIsEmpty);
  void MarkDuplicates();

  bool Modified_ = false;
  std::int32_t TextBufferSize_ = DefaultTextBufferSize;
  std::string FileName_;
  std::int32_t CurSection_ = 0;
  TSectionList Sections;
  CodePage CodePage_ = CodePage::Cp1252;
  TextEncoding Encoding_ = TextEncoding::Cp1252;
  bool EncodingEvident_ = false;  // the file read showed its encoding (see EncodingEvident)
  std::string LoadError_;
  std::string LastError_;
};

}  // namespace tav
