#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace platform {

// A group of radio choices laid out in columns, with the choices as one
// string list so a translator can rewrite them together.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemIndex READ itemIndex WRITE setItemIndex)

public:
    explicit RadioGroup(int columns, QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);
    int itemIndex() const;
    void setItemIndex(int index);
    // Caption of the chosen item, or an empty text when none is chosen.
    QString selectedText() const;

Q_SIGNALS:
    // A click on an item, with its index.
    void itemClicked(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuild();

    int m_columns;
    QStringList m_items;
    QButtonGroup m_buttons;
};

} // namespace platform
