#include "report_table.h"

#include "calc/chainring.h"
#include "core/errors.h"
#include "platform/two_digit_field.h"
#include "string_grid.h"

#include <QHash>
#include <QLabel>
#include <QWidget>

namespace report {

namespace {

// The window's components by upper-cased name, first of each name, built
// once per table so each cell does not walk the whole window.
class Components
{
public:
    explicit Components(const QWidget &window)
    {
        for (QObject *o : window.findChildren<QObject *>()) {
            const QString key = o->objectName().toUpper();
            if (!key.isEmpty() && !m_byName.contains(key))
                m_byName.insert(key, o);
        }
    }

    QString fieldText(const QString &name) const
    {
        if (auto *f = qobject_cast<platform::TwoDigitField *>(m_byName.value(name.toUpper())))
            return f->fieldText();
        throw core::AppError(QStringLiteral("Invalid class typecast"));
    }

    QString caption(const QString &name) const
    {
        if (auto *l = qobject_cast<QLabel *>(m_byName.value(name.toUpper())))
            return l->text();
        throw core::AppError(QStringLiteral("Invalid class typecast"));
    }

private:
    QHash<QString, QObject *> m_byName;
};

QString chainringFieldName(calc::Chainring ring)
{
    return QStringLiteral("MaskEdit%1").arg(calc::chainringFieldNumber(ring));
}

} // namespace

void fillReportTable(StringGrid &table, const QWidget &window)
{
    const Components components(window);
    table.setRowCount(10);
    table.setColCount(7);

    table.setCell(0, 0, QString());
    for (calc::Chainring ring : calc::kChainrings)
        table.setCell(1 + int(calc::ringIndex(ring)), 0, components.fieldText(chainringFieldName(ring)));
    for (calc::Chainring ring : calc::kChainrings)
        table.setCell(4 + int(calc::ringIndex(ring)), 0, components.fieldText(chainringFieldName(ring)));

    const QString prefixes[] = {QStringLiteral("BigLabel"),         QStringLiteral("MediumLabel"),
                                QStringLiteral("SmallLabel"),       QStringLiteral("BigSpeedLabel"),
                                QStringLiteral("MediumSpeedLabel"), QStringLiteral("SmallSpeedLabel")};
    for (int r = 1; r <= 9; ++r) {
        table.setCell(0, r, components.fieldText(QStringLiteral("MaskEdit%1").arg(calc::sprocketFieldNumber(r))));
        for (int c = 0; c < 6; ++c)
            table.setCell(c + 1, r, components.caption(prefixes[c] + QString::number(r)));
    }
}

} // namespace report
