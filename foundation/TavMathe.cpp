#include "foundation/TavMathe.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <ctime>
#include <vector>

#include "foundation/TavUtil.h"

namespace tav {

namespace {

constexpr double kRadProGrad = ZweiPi / 360.0;

// Shortest text of a double with the decimal comma, for messages.
std::string ShortCommaText(double x) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, res.ptr);
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

// Euclidean remainder in [0, m).
double Wrap(double x, double m) {
  double r = std::fmod(x, m);
  if (r < 0) r += m;
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Signs, clamps, rounding

std::int8_t SignOf(float Value) { return Value >= 0 ? 1 : -1; }

std::int8_t SignOf3(float Value) {
  if (Value > 0) return 1;
  if (Value < 0) return -1;
  return 0;
}

std::int32_t IntMax(std::int32_t A, std::int32_t B) { return A > B ? A : B; }

std::int32_t IntClamp(std::int32_t Value, std::int32_t Lo, std::int32_t Hi) {
  if (Value < Lo) return Lo;
  if (Value >= Hi) return Hi;
  return Value;
}

bool FloatNearlyEqual(float A, float B) {
  // The magnitude of A: with a signed divisor every negative A would count as equal.
  const double a = A == 0.0f ? 1e-11 : std::fabs(static_cast<double>(A));
  return std::fabs(static_cast<double>(B) - static_cast<double>(A)) / a < 0.01;
}

double RoundHalfEven(double X) {
  if (!std::isfinite(X)) return X;
  const double r = std::round(X);  // halves away from zero
  if (std::fabs(X - r) == 0.5) return 2.0 * std::round(X / 2.0);
  return r;
}

namespace {
std::int32_t SaturateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (v <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<std::int32_t>(v);
}
}  // namespace

std::int32_t RoundToInt(double X) { return SaturateToInt(RoundHalfEven(X)); }
std::int32_t TruncToInt(double X) { return SaturateToInt(std::trunc(X)); }

double RealPower(double Base, double Exponent) {
  if (Base == 0.0) return 0.0;
  if (Exponent == 0.0) return 1.0;
  if (std::isfinite(Exponent) && std::trunc(Exponent) == Exponent) return std::pow(Base, Exponent);
  if (Base < 0.0)
    throw EMathError("Fehler bei " + ShortCommaText(Base) + "^" + ShortCommaText(Exponent));
  return std::pow(Base, Exponent);
}

// ---------------------------------------------------------------------------------------
// Degree trigonometry

double SinDeg(double X) { return std::sin(X * ZweiPi / 360.0); }
double CosDeg(double X) { return std::cos(X * ZweiPi / 360.0); }
double TanDeg(double X) { return SinDeg(X) / CosDeg(X); }
double RotateX(double Angle, double P1, double P2) { return SinDeg(Angle) * P1 + CosDeg(Angle) * P2; }
double RotateY(double Angle, double P1, double P2) { return CosDeg(Angle) * P1 - SinDeg(Angle) * P2; }

float ArcSinRad(float X) {
  if (std::fabs(X) >= 1.0f) return static_cast<float>(SignOf(X) * PiHalbe);
  if (X < 0.0f) return -ArcSinRad(-X);
  const double x = X;
  return static_cast<float>(std::atan(x / std::sqrt(1.0 - x * x)));
}

float ArcCosRad(float X) { return static_cast<float>(PiHalbe - ArcSinRad(X)); }

float ArcSinDeg(float X) {
  if (std::fabs(X) >= 1.0f) return static_cast<float>(SignOf(X) * 90);
  return static_cast<float>(ArcSinRad(X) * GradProRad);
}

float ArcCosDeg(float X) { return 90.0f - ArcSinDeg(X); }
float ArcTanDeg(float X) { return static_cast<float>(std::atan(static_cast<double>(X)) * GradProRad); }
double Hypotenuse(double A, double B) { return std::sqrt(A * A + B * B); }

// ---------------------------------------------------------------------------------------
// Calendar

bool IsLeapYear(std::int32_t Year) {
  return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

std::int32_t DaysInMonth(std::int32_t Year, std::int32_t Month) {
  if (Month < 1 || Month > 12) return 0;
  return TageProMonat[static_cast<std::size_t>(Month)] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool IsValidDate(std::int32_t Year, std::int32_t Month, std::int32_t Day) {
  return Year >= 1 && Year <= 9999 && Day >= 1 && Day <= DaysInMonth(Year, Month);
}

std::int32_t DateToJulianDay(std::int32_t Day, std::int32_t Month, std::int32_t Year) {
  // March-based year so that the leap day ends it.
  std::int64_t m = Month, y = Year;
  if (m > 2) {
    m -= 3;
  } else {
    m += 9;
    y -= 1;
  }
  const std::int64_t c = y / 100;
  const std::int64_t r = y - 100 * c;
  return static_cast<std::int32_t>((146097 * c) / 4 + (1461 * r) / 4 + (153 * m + 2) / 5 +
                                   std::int64_t{Day} + 1721119);
}

namespace {
// Day of the year through the 30.6-day month rule.
std::int32_t DayOfYearByFormula(std::int32_t Day, std::int32_t Month, bool Leap) {
  const std::int64_t m = Month, d = Day;
  if (m <= 2) return static_cast<std::int32_t>((m + 13) * 306 / 10 - 428 + d);
  return static_cast<std::int32_t>((m + 1) * 306 / 10 - 63 + (Leap ? 1 : 0) + d);
}
}  // namespace

TKalenderDatum DateToJulianDayEx(std::int32_t Day, std::int32_t Month, std::int32_t Year) {
  TKalenderDatum k;
  k.Tag = Day;
  k.Monat = Month;
  k.Jahr = Year;
  k.Schaltjahr = IsLeapYear(Year);
  k.TagDesJahres = DayOfYearByFormula(Day, Month, k.Schaltjahr);
  k.JulianDay = DateToJulianDay(Day, Month, Year);
  return k;
}

void JulianDayToDate(std::int32_t JulianDay, std::int32_t& Day, std::int32_t& Month,
                     std::int32_t& Year) {
  // The day-number arithmetic run backwards: 400-year and 4-year cycles of the
  // March-based year, then the 153-day five-month pattern.
  std::int64_t j = static_cast<std::int64_t>(JulianDay) - 1721119;
  std::int64_t y = (4 * j - 1) / 146097;
  j = 4 * j - 1 - 146097 * y;
  std::int64_t d = j / 4;
  j = (4 * d + 3) / 1461;
  d = 4 * d + 3 - 1461 * j;
  d = (d + 4) / 4;
  std::int64_t m = (5 * d - 3) / 153;
  d = 5 * d - 3 - 153 * m;
  d = (d + 5) / 5;
  y = 100 * y + j;
  if (m < 10) {
    m += 3;
  } else {
    m -= 9;
    y += 1;
  }
  Day = static_cast<std::int32_t>(d);
  Month = static_cast<std::int32_t>(m);
  Year = static_cast<std::int32_t>(y);
}

TKalenderDatum JulianDayToDate(std::int32_t JulianDay) {
  std::int32_t d = 0, m = 0, y = 0;
  JulianDayToDate(JulianDay, d, m, y);
  return DateToJulianDayEx(d, m, y);
}

void DayOfYearToMonthDay(std::int32_t DayOfYear, std::int32_t& Month, std::int32_t& Day) {
  // Deliberate: day 366 (31 December of a leap year) is a day, not an arithmetic error.
  if (DayOfYear < 1 || DayOfYear > 366)
    throw EMathError("Tag des Jahres " + std::to_string(DayOfYear) + " außerhalb 1..366");
  if (DayOfYear == 366) {  // 31 December of a leap year
    Month = 12;
    Day = 31;
    return;
  }
  std::int32_t m = 1;
  std::int32_t d = DayOfYear;
  while (d > TageProMonat[static_cast<std::size_t>(m)]) {
    d -= TageProMonat[static_cast<std::size_t>(m)];
    ++m;
  }
  Month = m;
  Day = d;
}

std::int32_t MonthDayToDayOfYear(std::int32_t Month, std::int32_t Day, std::int32_t Leap) {
  static constexpr std::int32_t kMonatsBeginn[13] = {0,   0,   31,  59,  90,  120, 151,
                                                     181, 212, 243, 273, 304, 334};
  const std::int32_t m = Month < 1 ? 1 : (Month > 12 ? 12 : Month);
  return static_cast<std::int32_t>(std::int64_t{kMonatsBeginn[m]} + (m >= 3 ? Leap : 0) + Day);
}

std::int32_t TJahresBeginn::operator[](std::int32_t Year) const {
  // Day 0 of January is 31 December of the year before; no Year - 1 that could overflow.
  return DateToJulianDay(0, 1, Year);
}

// ---------------------------------------------------------------------------------------
// Day serials

bool TryEncodeDate(std::int32_t Year, std::int32_t Month, std::int32_t Day, TDateTime& Result) {
  if (!IsValidDate(Year, Month, Day)) return false;
  Result = DateToJulianDay(Day, Month, Year) - DateSerialJulianDay0;
  return true;
}

TDateTime EncodeDate(std::int32_t Year, std::int32_t Month, std::int32_t Day) {
  TDateTime d = 0;
  if (!TryEncodeDate(Year, Month, Day, d))
    throw EConvertError(DateToDotStr(Day, Month, Year) + " ist kein gültiges Datum");
  return d;
}

std::int32_t DateTimeToJulianDay(TDateTime D) {
  return TruncToInt(std::floor(D) + DateSerialJulianDay0);
}

TDateTime JulianDayToDateTime(std::int32_t JulianDay) {
  return static_cast<double>(JulianDay) - DateSerialJulianDay0;
}

void DecodeDate(TDateTime D, std::int32_t& Year, std::int32_t& Month, std::int32_t& Day) {
  JulianDayToDate(DateTimeToJulianDay(D), Day, Month, Year);
}

TDateTime EncodeTime(std::int32_t Hour, std::int32_t Min, std::int32_t Sec, std::int32_t MSec) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 ||
      MSec > 999)
    throw EConvertError("Ungültige Uhrzeit");
  return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
}

void DecodeTime(TDateTime D, std::int32_t& Hour, std::int32_t& Min, std::int32_t& Sec) {
  double frac = std::fabs(D - std::floor(D));
  if (!std::isfinite(frac)) frac = 0;
  std::int64_t ms = std::llround(frac * 86400000.0);
  if (ms >= 86400000) ms = 86400000 - 1;
  const std::int64_t s = ms / 1000;
  Hour = static_cast<std::int32_t>(s / 3600);
  Min = static_cast<std::int32_t>(s / 60 % 60);
  Sec = static_cast<std::int32_t>(s % 60);
}

TDateTime Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
         EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec,
                    static_cast<std::int32_t>(ms.count()));
}

TDateTime Today() { return std::floor(Now()); }

// ---------------------------------------------------------------------------------------
// Clock times

float HoursToClock(float Hours) {
  float whole = std::trunc(Hours);
  const double fraction = static_cast<double>(Hours) - whole;
  double minutes = std::trunc(fraction * 100.0 + 0.5) * 60.0 / 100.0;
  if (minutes >= 60.0) {
    whole += 1.0f;
    minutes -= 60.0;
  }
  return static_cast<float>(whole + minutes / 100.0);
}

double HourMinusLongitude(double Hour, double Longitude) { return Hour - Longitude / 15.0; }

std::int8_t CalcZeitzone(float laenge) {
  // Trunc towards zero: the nearest multiple of 15 degrees, halves away from zero.
  const double z = laenge > 0 ? (laenge + 7.5) / 15.0 : (laenge - 7.5) / 15.0;
  // A longitude beyond 180 degrees (a damaged catalogue) must not overflow the zone.
  return static_cast<std::int8_t>(std::clamp(std::trunc(z), -12.0, 12.0));
}

std::int8_t GeltendeZeitzone(std::int8_t zone, float laenge) {
  return zone == kKeineZeitzone ? CalcZeitzone(laenge) : zone;
}

// ---------------------------------------------------------------------------------------
// String distance

std::int32_t StringDistance(std::string_view A, std::string_view B) {
  const std::u32string a = Utf8ToCodePoints(A);
  const std::u32string b = Utf8ToCodePoints(B);
  if (a.empty() && b.empty()) return 0;
  if (a.empty() || b.empty()) return 100;
  // Edit distance with one row of length(B) + 1.
  std::vector<std::int64_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<std::int64_t>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::int64_t diag = row[0];
    row[0] = static_cast<std::int64_t>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::int64_t up = row[j];
      const std::int64_t subst = diag + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min({up + 1, row[j - 1] + 1, subst});
      diag = up;
    }
  }
  const std::int64_t pct = row[b.size()] * 100 / static_cast<std::int64_t>(b.size());
  return pct > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(pct);
}

// ---------------------------------------------------------------------------------------
// Lunar phases

namespace {

double SinG(double deg) { return std::sin(deg * kRadProGrad); }
double CosG(double deg) { return std::cos(deg * kRadProGrad); }

// Julian date (with fraction, UT) of the principal phase with lunation number k counted
// from January 1900 (k whole: new moon, +0.25 first quarter, +0.5 full, +0.75 last).
double PhaseJulianDate(double k) {
  const double T = k / 1236.85;
  const double T2 = T * T, T3 = T2 * T;
  double jd = 2415020.75933 + 29.53058868 * k + 0.0001178 * T2 - 0.000000155 * T3 +
              0.00033 * SinG(166.56 + 132.87 * T - 0.009173 * T2);
  const double M = 359.2242 + 29.10535608 * k - 0.0000333 * T2 - 0.00000347 * T3;
  const double Ms = 306.0253 + 385.81691806 * k + 0.0107306 * T2 + 0.00001236 * T3;
  const double F = 21.2964 + 390.67050646 * k - 0.0016528 * T2 - 0.00000239 * T3;
  const double phase = k - std::floor(k);
  if (phase < 0.125 || (phase > 0.375 && phase < 0.625)) {  // new or full moon
    jd += (0.1734 - 0.000393 * T) * SinG(M) + 0.0021 * SinG(2 * M) - 0.4068 * SinG(Ms) +
          0.0161 * SinG(2 * Ms) - 0.0004 * SinG(3 * Ms) + 0.0104 * SinG(2 * F) -
          0.0051 * SinG(M + Ms) - 0.0074 * SinG(M - Ms) + 0.0004 * SinG(2 * F + M) -
          0.0004 * SinG(2 * F - M) - 0.0006 * SinG(2 * F + Ms) + 0.0010 * SinG(2 * F - Ms) +
          0.0005 * SinG(M + 2 * Ms);
  } else {  // quarters
    jd += (0.1721 - 0.0004 * T) * SinG(M) + 0.0021 * SinG(2 * M) - 0.628 * SinG(Ms) +
          0.0089 * SinG(2 * Ms) - 0.0004 * SinG(3 * Ms) + 0.0079 * SinG(2 * F) -
          0.0119 * SinG(M + Ms) - 0.0047 * SinG(M - Ms) + 0.0003 * SinG(2 * F + M) -
          0.0004 * SinG(2 * F - M) - 0.0006 * SinG(2 * F + Ms) + 0.0021 * SinG(2 * F - Ms) +
          0.0003 * SinG(M + 2 * Ms) + 0.0004 * SinG(M - 2 * Ms) - 0.0003 * SinG(2 * M + Ms);
    const double q = 0.0028 - 0.0004 * CosG(M) + 0.0003 * CosG(Ms);
    jd += phase < 0.5 ? q : -q;
  }
  // From ephemeris time to universal time.
  const double Tc = (jd - 2415020.0) / 36525.0;
  jd -= (0.41 + 1.2953 * Tc + 0.4992 * Tc * Tc) / 60.0 / 24.0;
  return jd;
}

// Calendar date, time, day of the year and weekday of a Julian date.
TMondPhasenDatum PhaseDatum(double jd) {
  const double z = std::floor(jd + 0.5);
  const double f = jd + 0.5 - z;
  double A = z;
  if (z >= 2299161) {
    const double alpha = std::trunc((z - 1867216.25) / 36524.25);
    A = z + 1 + alpha - std::trunc(alpha / 4);
  }
  const double B = A + 1524;
  const double C = std::trunc((B - 122.1) / 365.25);
  const double D = std::trunc(365.25 * C);
  const double E = std::trunc((B - D) / 30.6001);
  const double day = B - D - std::trunc(30.6001 * E) + f;
  const int month = static_cast<int>(E < 13.5 ? E - 1 : E - 13);
  const int year = static_cast<int>(month > 2 ? C - 4716 : C - 4715);
  TMondPhasenDatum p;
  p.Tag = static_cast<std::uint16_t>(std::trunc(day));
  p.Monat = static_cast<std::uint16_t>(month);
  p.Jahr = static_cast<std::uint16_t>(year);
  const int minutes = static_cast<int>(std::trunc(f * 1440.0));
  p.Stunde = static_cast<std::uint16_t>(minutes / 60);
  p.Minute = static_cast<std::uint16_t>(minutes % 60);
  const int K = IsLeapYear(year) ? 1 : 2;
  p.TagDesJahres = static_cast<std::uint16_t>(275 * month / 9 - K * ((month + 9) / 12) + p.Tag - 30);
  p.Wochentag = static_cast<std::uint16_t>(static_cast<std::int64_t>(z + 1) % 7);
  return p;
}

// Phase angle of the Moon (elongation in longitude) at a Julian date, 0..360 degrees.
double PhaseAngle(double jd) {
  const double T = (jd - 2451545.0) / 36525.0;  // the series belongs to J2000
  const double moon = 218.32 + 481267.883 * T + 6.29 * std::sin(477198.85 * T * kRadProGrad + 2.354449160948) -
                      1.27 * std::sin(-413335.38 * T * kRadProGrad + 4.523893421184) +
                      0.66 * std::sin(890534.23 * T * kRadProGrad + 4.113741046964) +
                      0.21 * std::sin(954397.7 * T * kRadProGrad + 4.710643651148) -
                      0.19 * std::sin(35999.05 * T * kRadProGrad + 6.2395520759) -
                      0.11 * std::sin(966404.05 * T * kRadProGrad + 3.256784384232);
  const double n = jd - 2451545.0;
  const double L = 280.46 + 0.9856474 * n;
  const double g = 357.528 + 0.9856003 * n;
  const double sun = L + 1.915 * SinG(g) + 0.02 * SinG(2 * g);
  return Wrap(moon - sun, 360.0);
}

}  // namespace

TMondPhasen CalcMondphasen(std::int32_t Day, std::int32_t Month, std::int32_t Year,
                           double& MondPhase) {
  TMondPhasen result{};
  MondPhase = 0;
  if (!IsValidDate(Year, Month, Day)) return result;
  const TKalenderDatum k = DateToJulianDayEx(Day, Month, Year);
  MondPhase = PhaseAngle(k.JulianDay);
  // Start one lunation before the date's and take the first of each phase on or after it.
  const double jahre = (Year - 1900) + (k.TagDesJahres - 1) / 365.25;
  const double k0 = std::floor(jahre * 12.3685) - 1.0;
  for (int p = 0; p < 4; ++p) {
    for (int n = 0; n < 6; ++n) {
      const double jd = PhaseJulianDate(k0 + n + p * 0.25);
      if (std::floor(jd + 0.5) >= k.JulianDay) {
        result[static_cast<std::size_t>(p)] = PhaseDatum(jd);
        break;
      }
    }
  }
  return result;
}

}  // namespace tav
