#pragma once
// A report as the core builds it: lines of tab-separated text, each with the tab stops (in
// points) of its paragraph and the emphasis spans recorded while the line was built. The
// windows lay it out as rich text; tests read it directly.

#include <cstddef>
#include <string>
#include <vector>

namespace tav {

struct TReportSpan {
  std::size_t Start = 0;   // byte offset into the line's UTF-8 text
  std::size_t Length = 0;  // bytes
  bool Bold = false;
  bool Underline = false;
};

struct TReportLine {
  std::string Text;
  std::vector<int> Tabs;  // tab stops in points
  std::vector<TReportSpan> Spans;
  // Points added to the report's font size for the whole line (negative: smaller).
  int SizeDelta = 0;
  // The bold spans' texts, in order (for tests and the plain-text copy).
  std::vector<std::string> BoldTexts() const;
  bool Underlined() const;  // a span underlines the whole line
  bool WhollyBold() const;  // a span makes the whole line bold
};

struct TReport {
  std::vector<TReportLine> Lines;
  std::vector<int> Tabs;  // the stops new lines take
  std::string PlainText() const;  // lines joined by "\n"
};

// Builds one line from parts, each with its own emphasis, so the spans are exact.
class TLineBuilder {
 public:
  explicit TLineBuilder(bool bold = false, bool underline = false) : bold_(bold), underline_(underline) {}
  // Appends Text; Bold marks it (on top of the line's own style).
  TLineBuilder& Add(const std::string& text, bool bold = false);
  TLineBuilder& Tab() { return Add("\t"); }
  TLineBuilder& Cell(const std::string& text, bool bold = false) { return Tab().Add(text, bold); }
  // Appends the line to R with R's current tab stops.
  void AppendTo(TReport& r) const;

 private:
  bool bold_, underline_;
  std::string text_;
  std::vector<TReportSpan> spans_;
};

// Appends a line of plain text in one style.
void AddLine(TReport& r, const std::string& text, bool bold = false, bool underline = false);

// Tab stops scaled for the copy and the printer: rounded or truncated.
std::vector<int> ScaleTabsRound(const std::vector<int>& tabs, double factor);
std::vector<int> ScaleTabsTrunc(const std::vector<int>& tabs, double factor);

}  // namespace tav
