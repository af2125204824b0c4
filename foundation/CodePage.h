#pragma once
// Character conversion at the file boundary. Strings are UTF-8 inside the program; text
// files are single-byte Windows code page 1252 (Western) or 1250 (Central European), or
// UTF-8 when they start with a byte-order mark (or are plainly UTF-8, see DecodeText).
// The tables are our own so that nothing depends on the process locale or on iconv.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

enum class CodePage : std::uint8_t { Cp1252, Cp1250 };

// How a text file is (or will be) stored.
enum class TextEncoding : std::uint8_t {
  Cp1252,
  Cp1250,
  Utf8,     // UTF-8 without byte-order mark
  Utf8Bom,  // UTF-8 with byte-order mark
};

TextEncoding EncodingOf(CodePage cp);

// The code point of a byte. Every byte maps to exactly one code point; the few bytes the code
// page leaves undefined map to the C1 control of the same value, so every byte round-trips.
char32_t CodePageToUnicode(unsigned char byte, CodePage cp);
// The byte for a code point, or -1 when the code page has no such character.
int UnicodeToCodePage(char32_t cp32, CodePage cp);

// Single-byte text -> UTF-8.
std::string DecodeCodePage(std::string_view bytes, CodePage cp);
// UTF-8 -> single-byte text. Characters the code page lacks (and bytes that are not valid
// UTF-8) become "?"; *lossy (when given) tells whether that happened.
std::string EncodeCodePage(std::string_view utf8, CodePage cp, bool* lossy = nullptr);

bool HasUtf8Bom(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// Decodes a whole file image to UTF-8 and tells how it was stored: a UTF-8 byte-order mark
// means UTF-8 (the mark is removed); text that is valid UTF-8 and holds at least one multi-byte
// sequence is taken as UTF-8 without mark (a file saved by a UTF-8 editor would otherwise turn
// every umlaut into two characters and be written back doubly encoded); anything else is the
// code page `fallback`.
std::string DecodeText(std::string_view bytes, CodePage fallback, TextEncoding* detected = nullptr);

// Calls Visit(std::string_view line) for each line of a decoded text file: split at LF, a CR
// before it dropped; a final line end does not start another line. The lines are views into
// Text, so a file of nothing but line ends costs no allocation.
template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    start = end + 1;
  }
}
// The lines ForEachLine visits, as strings.
std::vector<std::string> SplitLines(std::string_view text);
// Encodes UTF-8 text for a file in the given encoding (with the mark for Utf8Bom).
std::string EncodeText(std::string_view utf8, TextEncoding enc, bool* lossy = nullptr);
// Encodes for a file that must read back as the same text: false when the encoding lacks a
// character of the text, or when the bytes would be taken for another encoding on the next
// read (code-page bytes that happen to be UTF-8). `problem` then tells why, naming up to ten
// of the missing characters, for a message.
bool EncodeTextExact(std::string_view utf8, TextEncoding enc, std::string& bytes,
                     std::string* problem = nullptr);
// Whether a file image shows its encoding: a byte-order mark or any byte above 127. Plain
// ASCII reads the same in every encoding here, so such a file's encoding is still open.
bool EncodingEvident(std::string_view bytes);
// The encoding to write text in: `asRead` when the file showed it (EncodingEvident) or when
// the text fits it; else UTF-8 with byte-order mark, so that a new or plain-ASCII file whose
// code page lacks a character of the text keeps that character.
TextEncoding EncodingForWrite(std::string_view utf8, TextEncoding asRead, bool evident);
// The code page a file's text falls back to when it is not UTF-8.
CodePage FallbackCodePage(TextEncoding enc);

// The code page of a language's files by its language code ("pl", "cz", "hu", "ro", "sl" are
// Central European and use 1250; every other code uses 1252). The code's case is ignored.
CodePage CodePageForLanguage(std::string_view languageCode);

// Next code point of UTF-8 text at pos (advanced); an invalid byte is returned as the code
// point of its 1252 reading and counts one byte. Returns false at the end.
bool NextCodePoint(std::string_view utf8, std::size_t& pos, char32_t& out);
void AppendUtf8(std::string& out, char32_t cp32);

// Case folding for names compared "without regard to case": ASCII, Latin-1 and Latin
// Extended-A letters (the letters the two code pages hold) fold to lower case.
char32_t FoldCase(char32_t cp32);
std::string FoldCaseUtf8(std::string_view utf8);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace tav
