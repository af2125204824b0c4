#pragma once
// Maths, calendar and astronomy: signs and clamps, a guarded power function, degree
// trigonometry, the Gregorian calendar with Julian day numbers, day serials (TDateTime),
// clock-time conversion, the string dissimilarity measure and the lunar phases.
// Pure functions; the two tables are compile-time constants.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tav {

// Arithmetic errors (RealPower with a negative base and a fractional exponent, a day of
// the year out of range).
class EMathError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Conversion errors of texts into dates and times.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ---------------------------------------------------------------------------------------
// Constants of the degree conversions (kept at the precision the results were tuned with).
inline constexpr double GradProRad = 57.29577951;
inline constexpr double PiHalbe = 1.570796327;
inline constexpr double ZweiPi = 6.2831853072;

// ---------------------------------------------------------------------------------------
// Signs, clamps, rounding

// 1 when Value >= 0, else -1.
std::int8_t SignOf(float Value);
// 1 when > 0, 0 when = 0, -1 when < 0.
std::int8_t SignOf3(float Value);
std::int32_t IntMax(std::int32_t A, std::int32_t B);
// Lo when Value < Lo, Hi when Value >= Hi, else Value.
std::int32_t IntClamp(std::int32_t Value, std::int32_t Lo, std::int32_t Hi);
// True when |B - A| / |A| < 0.01 (A = 0 counts as 1e-11).
bool FloatNearlyEqual(float A, float B);

// The system's Round: to the nearest whole number, halves to the even one.
double RoundHalfEven(double X);
// RoundHalfEven / truncation as a 32-bit integer, saturating at the integer limits (NaN gives 0).
std::int32_t RoundToInt(double X);
std::int32_t TruncToInt(double X);

// Base to the power Exponent. Base 0 gives 0, Exponent 0 gives 1; a negative Base with a
// fractional Exponent raises EMathError "Fehler bei <Base>^<Exponent>".
double RealPower(double Base, double Exponent);

// ---------------------------------------------------------------------------------------
// Degree trigonometry

double SinDeg(double X);
double CosDeg(double X);
double TanDeg(double X);
// SinDeg(Angle) * P1 + CosDeg(Angle) * P2
double RotateX(double Angle, double P1, double P2);
// CosDeg(Angle) * P1 - SinDeg(Angle) * P2
double RotateY(double Angle, double P1, double P2);
// Arc sine clamped at +-1 (|x| >= 1 gives +-pi/2 or +-90).
float ArcSinRad(float X);
float ArcCosRad(float X);
float ArcSinDeg(float X);
float ArcCosDeg(float X);
float ArcTanDeg(float X);
double Hypotenuse(double A, double B);

// ---------------------------------------------------------------------------------------
// Gregorian calendar with Julian day numbers (the day number of 1.1.2000 is 2451545)

bool IsLeapYear(std::int32_t Year);
// Days of the month, the leap day included (0 for a month outside 1..12).
std::int32_t DaysInMonth(std::int32_t Year, std::int32_t Month);
bool IsValidDate(std::int32_t Year, std::int32_t Month, std::int32_t Day);

// One calendar day with everything the calendar routines derive from it.
struct TKalenderDatum {
  std::int32_t Tag = 0;
  std::int32_t Monat = 0;
  std::int32_t Jahr = 0;
  bool Schaltjahr = false;
  std::int32_t TagDesJahres = 0;  // 1..366
  std::int32_t JulianDay = 0;
};

std::int32_t DateToJulianDay(std::int32_t Day, std::int32_t Month, std::int32_t Year);
// Day number, leap flag and day of the year of a date.
TKalenderDatum DateToJulianDayEx(std::int32_t Day, std::int32_t Month, std::int32_t Year);
TKalenderDatum JulianDayToDate(std::int32_t JulianDay);
void JulianDayToDate(std::int32_t JulianDay, std::int32_t& Day, std::int32_t& Month,
                     std::int32_t& Year);

// Days per month of a year without leap day; index 1..12 (0 unused).
inline constexpr std::array<std::uint8_t, 13> TageProMonat = {0,  31, 28, 31, 30, 31, 30,
                                                              31, 31, 30, 31, 30, 31};

// Month and day of a day of the year in the 365-day calendar (TageProMonat); day 366 of
// a leap year is 31 December. Outside 1..366 raises EMathError.
void DayOfYearToMonthDay(std::int32_t DayOfYear, std::int32_t& Month, std::int32_t& Day);
// Day of the year from month and day; Leap (0/1) is added from March on.
std::int32_t MonthDayToDayOfYear(std::int32_t Month, std::int32_t Day, std::int32_t Leap);

// JahresBeginn[Y] is the day number of 31 December of Y - 1, so day d of year Y has the
// day number JahresBeginn[Y] + d. The table covers 1990..2050; other years are computed
// the same way.
struct TJahresBeginn {
  static constexpr std::int32_t Erstes = 1990;
  static constexpr std::int32_t Letztes = 2050;
  std::int32_t operator[](std::int32_t Year) const;
};
inline constexpr TJahresBeginn JahresBeginn{};

// ---------------------------------------------------------------------------------------
// Day serials: whole days counted from 30.12.1899, the time of day as fraction.

using TDateTime = double;
// The day number of serial 0 (30.12.1899).
inline constexpr std::int32_t DateSerialJulianDay0 = 2415019;

// Raises EConvertError for a date that is not in the calendar.
TDateTime EncodeDate(std::int32_t Year, std::int32_t Month, std::int32_t Day);
bool TryEncodeDate(std::int32_t Year, std::int32_t Month, std::int32_t Day, TDateTime& Result);
void DecodeDate(TDateTime D, std::int32_t& Year, std::int32_t& Month, std::int32_t& Day);
// Fraction of a day; raises EConvertError for hours >= 24, minutes or seconds >= 60.
TDateTime EncodeTime(std::int32_t Hour, std::int32_t Min, std::int32_t Sec, std::int32_t MSec = 0);
void DecodeTime(TDateTime D, std::int32_t& Hour, std::int32_t& Min, std::int32_t& Sec);
TDateTime JulianDayToDateTime(std::int32_t JulianDay);
std::int32_t DateTimeToJulianDay(TDateTime D);
// The local date (midnight) and the local date and time.
TDateTime Today();
TDateTime Now();

// ---------------------------------------------------------------------------------------
// Clock times

// Decimal hours to hours + minutes / 100 (7.5 gives 7.30; 60 minutes carry into the hour).
float HoursToClock(float Hours);
// Hour - Longitude / 15: the shift in hours between the clock time of time zone Hour and the
// local mean solar time at Longitude (degrees east). In double precision, as the longitude
// and the engine's shift are held.
double HourMinusLongitude(double Hour, double Longitude);

// Time zones (hours east of Greenwich). A location's zone may be "none given"; its clock then
// keeps the zone of its longitude. Every path that needs a location's zone resolves it through
// GeltendeZeitzone, so the catalogue, the weather synthesis, the year run and the
// instantaneous output agree on the clock of a location at a zone boundary.
inline constexpr int kKeineZeitzone = 25;
// Time zone of a longitude: the nearest multiple of 15 degrees, halves away from zero
// (7.5 gives 1, -7.5 gives -1); beyond +-180 degrees it stays at +-12.
std::int8_t CalcZeitzone(float laenge);
// The zone, or for kKeineZeitzone the zone of the longitude.
std::int8_t GeltendeZeitzone(std::int8_t zone, float laenge);

// ---------------------------------------------------------------------------------------
// String dissimilarity in percent: the edit distance between A and B (characters, not
// bytes; case-sensitive) times 100 divided by the length of B. 0 for two empty strings,
// 100 when exactly one is empty; above 100 when A is much longer than B.
std::int32_t StringDistance(std::string_view A, std::string_view B);

// ---------------------------------------------------------------------------------------
// Lunar phases

// One principal phase: its date and time (UT) and its day of the year and weekday
// (0 = Sunday).
struct TMondPhasenDatum {
  std::uint16_t Tag = 0;
  std::uint16_t Monat = 0;
  std::uint16_t Jahr = 0;
  std::uint16_t Stunde = 0;
  std::uint16_t Minute = 0;
  std::uint16_t TagDesJahres = 0;
  std::uint16_t Wochentag = 0;
};
// New moon, first quarter, full moon, last quarter.
using TMondPhasen = std::array<TMondPhasenDatum, 4>;

// The next occurrence (on or after the given day) of each of the four principal phases,
// in the order new moon, first quarter, full moon, last quarter; MondPhase receives the
// phase angle of the day in degrees (0 new moon, 90 first quarter, 180 full moon,
// 270 last quarter). A day that is not in the calendar (years 1..9999) gives an empty
// table and the angle 0.
TMondPhasen CalcMondphasen(std::int32_t Day, std::int32_t Month, std::int32_t Year,
                           double& MondPhase);

}  // namespace tav
