#pragma once
// A report as the rich-text windows show it: lines of tab-separated columns, each line in
// one emphasis, and the tab stops of the whole report. Computed without any widget so that
// the content can be tested and shown alike on screen, on the clipboard and on paper.

#include <string>
#include <vector>

namespace tav {

struct TReportLine {
  std::string Text;  // columns separated by "\t"
  bool Bold = false;
  bool Underline = false;
};

struct TReport {
  std::vector<int> TabStops;  // points from the left edge
  std::vector<TReportLine> Lines;
};

}  // namespace tav
