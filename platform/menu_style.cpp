#include "menu_style.h"

#include <QApplication>
#include <QProxyStyle>

namespace platform {

namespace {

// The platform's style with one hint changed.
class DisabledEntriesActiveStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void letMenusHighlightDisabledEntries()
{
    if (!dynamic_cast<DisabledEntriesActiveStyle *>(QApplication::style()))
        QApplication::setStyle(new DisabledEntriesActiveStyle);
}

} // namespace platform
