#pragma once
// Find-next over the rows of a list or grid: the next row after the current one whose text
// contains the search term, without regard to case, wrapping round to the first row.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// The text as compared by the search: upper case, "ß" as "SS".
std::string SearchKey(std::string_view text);

// Rows First .. end are searched, starting after Current and ending with Current itself, so
// every row is looked at once. A Current outside that range starts at First. Nothing when the
// term is empty, no row contains it, or there are no rows.
std::optional<int> FindNextRow(const std::vector<std::string>& rows, int first, int current,
                               std::string_view term);

}  // namespace tav
