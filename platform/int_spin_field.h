#pragma once

#include <QAbstractSpinBox>

namespace platform {

// An integer field with up and down buttons. Unlike QSpinBox it holds what
// the user types, in or out of bounds: the bounds apply only when stepping
// and when focus leaves. Minimum == maximum means no bounds.
class IntSpinField : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit IntSpinField(QWidget *parent = nullptr);

    void setBounds(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    bool hasBounds() const { return m_min != m_max; }

    // The text read as a whole number (core::parseInteger, the program's one
    // whole-number reading); a text that is not one reads as the minimum.
    int value() const;
    // Writes the value limited to the bounds; a change of text is a change.
    void setValue(int value);
    int clamp(int value) const;

    QString fieldText() const;
    void setFieldText(const QString &text);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

Q_SIGNALS:
    void changed();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_min = 0;
    int m_max = 0;
    QString m_lastText;
};

} // namespace platform
