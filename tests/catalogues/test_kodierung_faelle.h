#pragma once
// The encodings a catalogue or project file may be stored in, each with a name whose
// characters that encoding holds: the round-trip tests of the catalogues and the projects.

#include "foundation/CodePage.h"

namespace tav::test {

struct KodierungsFall {
  const char* fall;
  TextEncoding kodierung;
  const char* name;
};

inline constexpr KodierungsFall kKodierungsFaelle[] = {
    {"code page 1252", TextEncoding::Cp1252, "Müller Öl € ß"},
    {"UTF-8", TextEncoding::Utf8, "Łódź Müller 漢"},
    {"UTF-8 with mark", TextEncoding::Utf8Bom, "Łódź Müller 漢"},
};

}  // namespace tav::test
