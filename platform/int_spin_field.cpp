#include "int_spin_field.h"

#include "core/decimal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <limits>

namespace platform {

IntSpinField::IntSpinField(QWidget *parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &t) {
        if (t == m_lastText)
            return;
        m_lastText = t;
        Q_EMIT changed();
    });
}

void IntSpinField::setBounds(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
}

int IntSpinField::clamp(int v) const
{
    if (!hasBounds())
        return v;
    return std::min(std::max(v, m_min), m_max);
}

int IntSpinField::value() const
{
    return core::parseInteger(lineEdit()->text()).value_or(m_min);
}

void IntSpinField::setValue(int v)
{
    setFieldText(QString::number(clamp(v)));
}

QString IntSpinField::fieldText() const
{
    return lineEdit()->text();
}

void IntSpinField::setFieldText(const QString &text)
{
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void IntSpinField::stepBy(int steps)
{
    const long long target = static_cast<long long>(value()) + steps;
    const int bounded = static_cast<int>(
        std::clamp<long long>(target, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    setValue(bounded);
    lineEdit()->selectAll();
}

QValidator::State IntSpinField::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

void IntSpinField::fixup(QString &) const {}

QAbstractSpinBox::StepEnabled IntSpinField::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void IntSpinField::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        QAbstractSpinBox::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QApplication::beep();
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool control = text.isEmpty() || text[0].unicode() < 0x20 || text[0].unicode() == 0x7f ||
                         (event->modifiers() & Qt::ControlModifier);
    if (!control) {
        const QChar c = text[0];
        const bool allowed = c.isDigit() || c == u'+' || c == u'-' || c == QLocale::system().decimalPoint()[0];
        if (!allowed || text.size() != 1) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void IntSpinField::focusOutEvent(QFocusEvent *event)
{
    if (hasBounds()) {
        const int v = value();
        if (clamp(v) != v)
            setValue(v);
    }
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace platform
