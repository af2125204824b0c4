#include "foundation/TextSearch.h"

#include "foundation/TavUtil.h"

namespace tav {

std::string SearchKey(std::string_view text) {
  return ReplaceAll(UpperCaseText(text), "ß", "SS");
}

std::optional<int> FindNextRow(const std::vector<std::string>& rows, int first, int current,
                               std::string_view term) {
  const int count = static_cast<int>(rows.size());
  if (first < 0) first = 0;
  const std::string key = SearchKey(term);
  if (key.empty() || first >= count) return std::nullopt;
  const int searchable = count - first;
  if (current < first || current >= count) current = count - 1;  // so the search starts at First
  for (int step = 1; step <= searchable; ++step) {
    const int row = first + (current - first + step) % searchable;
    if (SearchKey(rows[row]).find(key) != std::string::npos) return row;
  }
  return std::nullopt;
}

}  // namespace tav
