#include "menu_style.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>

namespace platform {

namespace {

// The application's style with one hint changed.
class DisabledEntriesActiveStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One for every menu, made when the first one opens; it lives as long as
// the application.
QStyle *menuStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new DisabledEntriesActiveStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void letMenuHighlightDisabledEntries(QMenu &menu)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] {
        if (QStyle *style = menuStyle(); menu.style() != style)
            menu.setStyle(style);
    });
}

} // namespace platform
