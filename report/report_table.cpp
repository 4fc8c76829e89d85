#include "report_table.h"

#include "platform/errors.h"
#include "platform/two_digit_field.h"
#include "string_grid.h"

#include <QLabel>
#include <QWidget>

namespace report {

namespace {

QObject *findByName(const QWidget &window, const QString &name)
{
    const QList<QObject *> all = window.findChildren<QObject *>();
    for (QObject *o : all)
        if (o->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return o;
    return nullptr;
}

QString fieldText(const QWidget &window, const QString &name)
{
    if (auto *f = qobject_cast<platform::TwoDigitField *>(findByName(window, name)))
        return f->fieldText();
    throw platform::AppError(QStringLiteral("Invalid class typecast"));
}

QString caption(const QWidget &window, const QString &name)
{
    if (auto *l = qobject_cast<QLabel *>(findByName(window, name)))
        return l->text();
    throw platform::AppError(QStringLiteral("Invalid class typecast"));
}

} // namespace

void fillReportTable(StringGrid &table, const QWidget &window)
{
    table.setRowCount(10);
    table.setColCount(7);

    const QString rings[] = {QStringLiteral("MaskEdit1"), QStringLiteral("MaskEdit2"), QStringLiteral("MaskEdit12")};
    table.setCell(0, 0, QString());
    for (int i = 0; i < 3; ++i)
        table.setCell(1 + i, 0, fieldText(window, rings[i]));
    for (int i = 0; i < 3; ++i)
        table.setCell(4 + i, 0, fieldText(window, rings[i]));

    const QString prefixes[] = {QStringLiteral("BigLabel"),         QStringLiteral("MediumLabel"),
                                QStringLiteral("SmallLabel"),       QStringLiteral("BigSpeedLabel"),
                                QStringLiteral("MediumSpeedLabel"), QStringLiteral("SmallSpeedLabel")};
    for (int r = 1; r <= 9; ++r) {
        table.setCell(0, r, fieldText(window, QStringLiteral("MaskEdit") + QString::number(r + 2)));
        for (int c = 0; c < 6; ++c)
            table.setCell(c + 1, r, caption(window, prefixes[c] + QString::number(r)));
    }
}

} // namespace report
