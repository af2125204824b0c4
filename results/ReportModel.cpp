#include "results/ReportModel.h"

#include <cmath>

namespace tav {

std::vector<std::string> TReportLine::BoldTexts() const {
  std::vector<std::string> out;
  for (const auto& s : Spans)
    if (s.Bold && s.Length > 0) out.push_back(Text.substr(s.Start, s.Length));
  return out;
}

bool TReportLine::Underlined() const {
  for (const auto& s : Spans)
    if (s.Underline && s.Start == 0 && s.Length == Text.size() && !Text.empty()) return true;
  return false;
}

bool TReportLine::WhollyBold() const {
  for (const auto& s : Spans)
    if (s.Bold && s.Start == 0 && s.Length == Text.size() && !Text.empty()) return true;
  return false;
}

std::string TReport::PlainText() const {
  std::string out;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (i) out += '\n';
    out += Lines[i].Text;
  }
  return out;
}

TLineBuilder& TLineBuilder::Add(const std::string& text, bool bold) {
  if (bold && !text.empty()) spans_.push_back({text_.size(), text.size(), true, false});
  text_ += text;
  return *this;
}

void TLineBuilder::AppendTo(TReport& r) const {
  TReportLine line;
  line.Text = text_;
  line.Tabs = r.Tabs;
  if ((bold_ || underline_) && !text_.empty()) line.Spans.push_back({0, text_.size(), bold_, underline_});
  for (auto s : spans_) {
    s.Underline = underline_;
    line.Spans.push_back(s);
  }
  r.Lines.push_back(std::move(line));
}

void AddLine(TReport& r, const std::string& text, bool bold, bool underline) {
  TLineBuilder(bold, underline).Add(text).AppendTo(r);
}

std::vector<int> ScaleTabsRound(const std::vector<int>& tabs, double factor) {
  std::vector<int> out;
  for (int t : tabs) out.push_back(static_cast<int>(std::lround(t * factor)));
  return out;
}

std::vector<int> ScaleTabsTrunc(const std::vector<int>& tabs, double factor) {
  std::vector<int> out;
  for (int t : tabs) out.push_back(static_cast<int>(std::trunc(t * factor + 1e-9)));
  return out;
}

}  // namespace tav
