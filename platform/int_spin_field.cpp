#include "int_spin_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <limits>

namespace platform {

std::optional<int> parseSpinText(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c - u'0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(v);
}

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
    return parseSpinText(lineEdit()->text()).value_or(m_min);
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
