#include "foundation/ui/XiPanel.h"

namespace tav {

TXiPanel::TXiPanel(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

}  // namespace tav
