#pragma once
// The plant dialog shows other controls and pages for each plant type: each in turn, with
// pool and circulation where the type has them (Cancel puts the plant back).

#include <QCheckBox>
#include <QRadioButton>
#include <functional>

#include "app/FormAnlage.h"

namespace tav::test {

inline void JedeAnlagenart(TFormAnlage& a, const std::function<void()>& tu) {
  for (QRadioButton* typ : {a.RadioButtonA1, a.RadioButtonA2, a.RadioButtonA3, a.RadioButtonA4, a.RadioButtonA5,
                            a.RadioButtonA6, a.RadioButtonA7, a.RadioButtonA8}) {
    typ->click();
    for (QCheckBox* c : {a.CheckBoxPool, a.CheckBoxZirku})
      if (c->isVisible() && !c->isChecked()) c->click();
    tu();
  }
}

}  // namespace tav::test
