// The INI class on any file: every look-up answers without fault, and the file image it
// writes reads back to the same image (load, save, load).
#include <sstream>

#include "FuzzSupport.h"
#include "foundation/BigIni.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  const std::string path = b.Write("a.ini", fuzz::AsText(data, size));
  std::string image;
  {
    TBigIniFile ini(path);
    if (!ini.LoadError().empty()) return 0;
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
      const std::string& sec = sections[i];
      std::vector<std::string> keys, lines;
      ini.ReadSection(sec, keys);
      ini.ReadSectionValues(sec, lines);
      for (std::size_t k = 0; k < keys.size() && k < 16; ++k) {
        ini.ReadString(sec, keys[k], "");
        ini.ReadInteger(sec, keys[k], 0);
        ini.ReadFloat(sec, keys[k], 0.0);
        ini.ReadBool(sec, keys[k], false);
        ini.ReadDate(sec, keys[k], 0.0);
        ini.ReadDateTime(sec, keys[k], 0.0);
        ini.ReadTime(sec, keys[k], 0.0);
        std::ostringstream bytes;
        ini.ReadBinaryStream(sec, keys[k], bytes);
      }
    }
    for (std::int32_t i = 0; i < ini.SectionCount() && i < 8; ++i) ini.ReadStringAt(i, "Name", "");
    ini.DuplicateSectionNames();
    image = ini.FileImage();
  }
  const std::string again = b.Write("b.ini", image);
  TBigIniFile reread(again);
  fuzz::Require(reread.LoadError().empty(), "INI: the written image cannot be read",
                reread.LoadError());
  fuzz::Require(reread.FileImage() == image, "INI: the written image reads back differently",
                image, reread.FileImage());
  // Writing a key into every section keeps the file readable and the key findable.
  std::vector<std::string> sections;
  reread.ReadSections(sections);
  for (std::size_t i = 0; i < sections.size() && i < 4; ++i) {
    if (!reread.WriteString(sections[i], "FuzzKey", "1,5")) continue;
    fuzz::Require(reread.ReadString(sections[i], "FuzzKey", "") == "1,5",
                  "INI: a written key is not found", sections[i]);
  }
  reread.DiscardChanges();
  return 0;
}
