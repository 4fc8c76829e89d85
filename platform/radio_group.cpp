#include "radio_group.h"

#include <QAbstractButton>
#include <QRadioButton>

namespace platform {

RadioGroup::RadioGroup(int columns, QWidget *parent) : QGroupBox(parent), m_columns(columns)
{
    connect(&m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItems(const QStringList &items)
{
    const int keep = itemIndex();
    m_items = items;
    rebuild();
    if (keep >= 0 && keep < m_items.size())
        setItemIndex(keep);
}

void RadioGroup::rebuild()
{
    const QList<QAbstractButton *> old = m_buttons.buttons();
    // Reuse existing buttons where possible so focus and tab order survive.
    for (int i = 0; i < m_items.size(); ++i) {
        QAbstractButton *b = m_buttons.button(i);
        if (!b) {
            b = new QRadioButton(this);
            m_buttons.addButton(b, i);
            b->show();
        }
        b->setText(m_items[i]);
    }
    for (QAbstractButton *b : old)
        if (m_buttons.id(b) >= m_items.size()) {
            m_buttons.removeButton(b);
            delete b;
        }
    // Columns share the width equally, rows the height below the caption.
    const int rows = m_items.isEmpty() ? 1 : int((m_items.size() + m_columns - 1) / m_columns);
    const int top = title().isEmpty() ? 4 : 16;
    const int colWidth = (width() - 16) / m_columns;
    const int rowHeight = (height() - top - 4) / rows;
    for (int i = 0; i < m_items.size(); ++i) {
        QAbstractButton *b = m_buttons.button(i);
        const int col = i / rows, row = i % rows;
        b->setGeometry(8 + col * colWidth, top + row * rowHeight, colWidth, std::max(rowHeight, 17));
    }
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    rebuild();
}

int RadioGroup::itemIndex() const
{
    return m_buttons.checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = m_buttons.button(index))
        b->setChecked(true);
}

QString RadioGroup::selectedText() const
{
    const int i = itemIndex();
    return i >= 0 && i < m_items.size() ? m_items[i] : QString();
}

} // namespace platform
