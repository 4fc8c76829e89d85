#pragma once

#include <QCheckBox>

namespace platform {

// A check box that toggles on a click anywhere inside its own rectangle, not
// only on its indicator and caption: the layouts give each box the size a
// rider may click. Keys and assistive technology work as for any check box.
class CheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

} // namespace platform
