#include "two_digit_field.h"

#include "error_display.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

namespace platform {

namespace {
// Qt's mask letters are the reverse of the stored ones: Qt "9" is a
// required digit, "0" an optional one.
QString qtMask(TwoDigitField::Mode mode)
{
    return mode == TwoDigitField::Mode::Required ? QStringLiteral("99;_") : QStringLiteral("00;_");
}

void revealInTabs(QWidget *w)
{
    for (QWidget *child = w, *p = w->parentWidget(); p; child = p, p = p->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(p))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(child);
    }
}
} // namespace

TwoDigitField::TwoDigitField(Mode mode, QWidget *parent) : QLineEdit(parent), m_mode(mode)
{
    applyMode();
    m_lastText = fieldText();
    // textChanged drops blank positions; the display text keeps them.
    connect(this, &QLineEdit::textChanged, this, [this] { onDisplayChanged(); });
}

QString TwoDigitField::invalidInputMessage()
{
    return QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

void TwoDigitField::applyMode()
{
    const QString keep = fieldText();
    setInputMask(qtMask(m_mode));
    QLineEdit::setText(QString(keep).replace(u' ', u'_'));
}

QString TwoDigitField::fieldText() const
{
    QString t = displayText();
    t.replace(u'_', u' ');
    while (t.size() < 2)
        t.append(u' ');
    return t.left(2);
}

void TwoDigitField::setFieldText(const QString &text)
{
    QString t = text.left(2);
    while (t.size() < 2)
        t.append(u' ');
    if (t == fieldText())
        return;
    QLineEdit::setText(t.replace(u' ', u'_')); // clears isModified()
}

QString TwoDigitField::editMask() const
{
    return m_mode == Mode::Required ? QStringLiteral("00;1;_") : QStringLiteral("99;1;_");
}

void TwoDigitField::setEditMask(const QString &mask)
{
    const Mode mode = mask.startsWith(QStringLiteral("00")) ? Mode::Required : Mode::Optional;
    if (mode == m_mode)
        return;
    m_mode = mode;
    applyMode();
}

bool TwoDigitField::isComplete() const
{
    const QString t = fieldText();
    return t[0].isDigit() && t[1].isDigit();
}

void TwoDigitField::onDisplayChanged()
{
    const QString now = fieldText();
    if (now == m_lastText)
        return;
    m_lastText = now;
    Q_EMIT fieldTextChanged(now);
}

void TwoDigitField::focusInEvent(QFocusEvent *event)
{
    // Every entry into the field takes a new snapshot for Escape, also when
    // the field still counts as modified from an earlier visit. Focus that
    // comes back after a refused exit, or from another window, a popup or
    // the menu bar, is no new entry: Escape then still gives back the text
    // from before the edit, not the partial one.
    if (!m_entered) {
        m_textAtFocus = fieldText();
        m_entered = true;
    }
    QLineEdit::focusInEvent(event);
}

void TwoDigitField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move of focus inside the program validates; a message box or
    // another application taking the focus does not.
    const auto reason = event->reason();
    const bool leaving = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                         reason == Qt::MouseFocusReason || reason == Qt::OtherFocusReason ||
                         reason == Qt::ShortcutFocusReason;
    const bool away =
        reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
    if (!away)
        m_entered = false;
    if (m_mode == Mode::Required && leaving && !m_reporting && isModified() && !isComplete()) {
        m_reporting = true;
        m_entered = true; // the field takes the focus back: the same visit
        QApplication::beep();
        QPointer<TwoDigitField> self(this);
        QTimer::singleShot(0, this, [self] {
            if (!self)
                return;
            revealInTabs(self);
            self->setFocus(Qt::OtherFocusReason);
            const int blank = self->fieldText().indexOf(u' ');
            self->setCursorPosition(blank < 0 ? 0 : blank);
            showError(invalidInputMessage());
            if (self)
                self->m_reporting = false;
        });
    }
}

void TwoDigitField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && isModified()) {
        QLineEdit::setText(QString(m_textAtFocus).replace(u' ', u'_'));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace platform
