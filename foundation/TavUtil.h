#pragma once
// Number, text and date utilities: input with the decimal comma (or point) and range
// checks, fixed-width output with the decimal comma, text helpers, the circulation day
// schedule and the date helpers. Pure functions of their arguments; nothing here depends
// on the process locale.
//
// Strings are UTF-8; "characters" below are code points.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/TavMathe.h"

namespace tav {

// The text is not a number ("String enthält keine Zahl").
class ENonsenseInput : public std::runtime_error {
 public:
  ENonsenseInput();
  using std::runtime_error::runtime_error;
};

// A number lies outside its allowed range; the message says which limit.
class ERangeViolation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ---------------------------------------------------------------------------------------
// Number input: the decimal comma and the decimal point are both accepted.

// Removes every blank, converts. Code = 0 on success, else the 1-based position (in the
// text without blanks) of the first bad character; the result is then 0.
double StrToFloatComma(std::string_view S, std::int32_t& Code);
// Drops leading blanks and reads the whole number up to the next blank. Code as above;
// the result is then the number read up to the bad character.
std::int32_t StrToIntComma(std::string_view S, std::int32_t& Code);
// Reads Count blank-separated numbers into Values[0..Count-1] (never past Values' end).
// A bad or missing number gives 999.0; FirstBad is the 1-based position of the first
// one, 0 when all were good.
inline constexpr float ParseFehlerWert = 999.0f;
void ParseSingleList(std::string_view S, std::uint8_t Count, std::uint8_t& FirstBad,
                     std::span<float> Values);
// The number in S within Min..Max (inclusive). Not a number: ENonsenseInput; outside:
// ERangeViolation "12,5 liegt unter dem Minimumwert 20,0" / "... über dem Maximumwert ...".
double CheckFloatRange(std::string_view S, double Min, double Max);
// The whole number in S within Min..Max (inclusive). Not a whole number ("abc", "2,5"):
// ENonsenseInput; outside: ERangeViolation "5 liegt unter dem Minimumwert 10" / "...".
std::int32_t CheckIntRange(std::string_view S, std::int32_t Min, std::int32_t Max);

// ---------------------------------------------------------------------------------------
// Number output. Fixed point with Decimals places (halves away from zero), right-aligned
// in at least Width characters; a value that shows as zero has no sign.

std::string FloatToPointStr(std::int32_t Width, std::int32_t Decimals, double X);
// As FloatToPointStr with the decimal comma.
std::string FloatToCommaStr(std::uint8_t Width, std::uint8_t Decimals, float X);
// As FloatToCommaStr for columns in proportional fonts: every padding blank becomes two
// blanks and "-" becomes " -" (a digit is about two blanks wide, a minus about one).
std::string FloatToCommaStrAligned(std::uint8_t Width, std::uint8_t Decimals, float X);
// As FloatToCommaStr with ":" for the separator (clock times: 7.30 gives "7:30").
std::string FloatToColonStr(std::uint8_t Width, std::uint8_t Decimals, float X);
// As FloatToCommaStr with every blank turned into "0" ("07").
std::string FloatToCommaStrZero(std::uint8_t Width, std::uint8_t Decimals, float X);
std::string BoolToStr01(bool B);
// X rounded to Decimals places, halves to even (of X * 10^Decimals).
double RoundDecimals(std::uint8_t Decimals, double X);
// The module count after one step of a collector area up or down:
// n = Trunc((Value + 0.02) / ModuleSize); Up gives n + 1; Down gives n - 1 when Value
// lies within 0.1 of n * ModuleSize, else n; never below 1. A module size that is not
// above 0 raises ERangeViolation.
std::uint16_t StepModuleCount(bool Up, float Value, float ModuleSize);
// The module area a collector field is counted and stepped with: one below 0.01 m² (a
// catalogue entry without a module area), or no number, counts as 1 m² a module.
float ModulFlaecheOderEins(float ModuleSize);
// One step of a collector area by whole modules of ModulFlaecheOderEins(ModuleSize), the
// count at most MaxCount: the new module count and its area.
struct TModulSchritt {
  std::uint16_t Anzahl = 1;
  float Flaeche = 0.0f;
};
TModulSchritt StepModuleArea(bool Up, float Value, float ModuleSize, std::uint16_t MaxCount = 65535);
void IncInt(std::int32_t& N);

// ---------------------------------------------------------------------------------------
// Text helpers

// UTF-8 <-> code points (a byte that is no valid UTF-8 counts as its Windows-1252 character).
std::u32string Utf8ToCodePoints(std::string_view S);
std::string CodePointsToUtf8(std::u32string_view S);
std::size_t Utf8Length(std::string_view S);
// Upper case for ASCII and the Latin letters of the Western and Central European
// code pages (ä -> Ä, ł -> Ł, ...); other characters unchanged.
std::string UpperCaseText(std::string_view S);

// Deletes leading (trailing) blanks while at least two characters remain; a single blank
// left over becomes empty.
void TrimLeadingBlanks(std::string& S);
void TrimTrailingBlanks(std::string& S);
// German keyboard key codes 186, 192, 219, 222 give Ü, Ö, ß, Ä; any other key its low
// byte as a Windows-1252 character.
char32_t KeyToUmlaut(std::uint16_t Key);
// Next candidate for a name that exists already: "Name" -> "Name (2)" -> ... "Name (9)"
// -> "Name X(1)" -> ... "Name X(9)" -> "Name XX(1)"; "(0)" counts on like 1..8.
void MakeUniqueName(std::string& S);
// Appends " (" + Neu + ")" to a copied entry's name, first shortening a long name with
// "..." so that the result fits in 40 characters.
void ShortenWithEllipsis(std::string& S, std::string_view Neu = "neu");
// True when the upper-cased A sorts after the upper-cased B.
bool StrGreaterText(std::string_view A, std::string_view B);
std::string RemoveAmpersands(std::string_view S);
// Removes every character of S that occurs among the first 12 characters of Chars.
std::string StripChars(std::string_view S, std::string_view Chars);
std::string ReplaceAll(std::string_view S, std::string_view Old, std::string_view New);
// The first "#" of Template replaced by Value.
std::string ReplaceHashMark(std::string_view Template, std::string_view Value);
// File text quoted in a message: at most MaxChars characters; longer text is cut and ends
// in "..." (a message must stay readable whatever a file holds).
inline constexpr std::size_t ZitatLaenge = 200;
std::string Zitat(std::string_view S, std::size_t MaxChars = ZitatLaenge);
// Every "|" becomes CR LF.
std::string PipeToLineBreaks(std::string_view S);
// Field := the trimmed text before the first TAB, removed from Line with the TAB; without
// a TAB the trimmed Line, and Line becomes empty.
void NextTabField(std::string& Line, std::string& Field);
// S preceded by non-breaking spaces up to Width characters.
std::string PadLeftNbsp(std::string_view S, std::uint8_t Width);
// Splits a long caption near Length / 2.2 at a blank or after "-"; Part 1 gives the first
// line, any other value the second.
std::string SplitTextTwoLines(std::string_view S, std::uint8_t Part);
// Transliteration for file names: ä ae, Ä Ae, ö oe, Ö Oe, ü ue, Ü Ue, ß ss, é e, ł l, ą a.
std::string ReplaceUmlauts(std::string_view S);
// The list item with the smallest StringDistance to S (the first of equals); an empty
// list gives an empty text.
std::string FindClosestString(std::string_view S, const std::vector<std::string>& List);
// Name without its first 3 characters occurs in Text.
bool NameTailInText(std::string_view Name, std::string_view Text);
// (Name begins with "VK") == Flag
bool HasVKPrefix(std::string_view Name, bool Flag);
// Exchange sort of the first Count items of List by StrGreaterText: Mode 'S' ascending,
// 'F' descending, any other letter leaves the list alone.
void SortListByText(std::vector<std::string>& List, std::int32_t Count, char Mode);
// Exchange sort of List together with Keys (item i has key Keys[i]): Mode 'S' ascending,
// any other letter descending. Only the items that have a key take part.
void SortListByValue(std::vector<std::string>& List, std::span<float> Keys, char Mode);

// ---------------------------------------------------------------------------------------
// Circulation day schedule: 24 letters (one per hour, character code 64 + bits 8/4/2/1
// for the four quarter hours) <-> 96 quarter hours, index 1..96 (0 unused).

using TViertelstunden = std::array<bool, 97>;
// A text that is not 24 letters long, or holds a letter outside "@".."O", clears all.
void DecodeDaySchedule(std::string_view S, TViertelstunden& Q);
std::string EncodeDaySchedule(const TViertelstunden& Q);

// ---------------------------------------------------------------------------------------
// Dates and times

// "dd.mm.yyyy"; Year = -1 gives "dd.mm".
std::string DateToDotStr(std::int32_t Day, std::int32_t Month, std::int32_t Year);
std::string DateTimeToDotStr(TDateTime D);
// "hh:mm:ss"
std::string TimeToLongStr(TDateTime D);
bool IsLeapYearOf(TDateTime D);
std::int32_t DayOfYearOf(TDateTime D);
// 1 January of Year (0 = the current year) plus N - 1 days.
TDateTime DateFromDayOfYear(std::int32_t N, std::int32_t Year = 0);
// "d.m.yyyy" (trimmed); "d.m." without a year means this year. A missing or non-integer
// day or month, a non-integer year, or a day that is not in the calendar raises
// EConvertError S + " ist kein gültiges Datum".
TDateTime StrToDateChecked(std::string_view S);
// "h:mm" or "h:mm:ss" as a fraction of a day; a bad time raises EConvertError.
TDateTime StrToTimeChecked(std::string_view S);

}  // namespace tav
