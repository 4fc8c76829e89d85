#pragma once

#include <QLineEdit>
#include <QString>

namespace platform {

// A two-position digit field. Its text is always two characters: digits, or
// a blank (shown as "_") for an unfilled position. A Required field wants
// both digits and refuses to be left incomplete after a user edit; an
// Optional field accepts blanks. Escape after a user edit gives back the text
// the field had when it got focus.
class TwoDigitField : public QLineEdit
{
    Q_OBJECT
    // Published properties, named as the translation tables name them.
    Q_PROPERTY(QString Text READ fieldText WRITE setFieldText)
    Q_PROPERTY(QString EditMask READ editMask WRITE setEditMask)
    Q_PROPERTY(QString ImeName READ imeName WRITE setImeName)

public:
    enum class Mode { Required, Optional };

    explicit TwoDigitField(Mode mode, QWidget *parent = nullptr);

    QString fieldText() const;
    void setFieldText(const QString &text); // program-set: not a user edit

    // The mask as stored: "00;1;_" (both required) or "99;1;_" (optional).
    QString editMask() const;
    void setEditMask(const QString &mask);
    QString imeName() const { return m_imeName; }
    void setImeName(const QString &name) { m_imeName = name; }

    Mode mode() const { return m_mode; }
    bool isComplete() const;

    static QString invalidInputMessage();

Q_SIGNALS:
    // Emitted whenever the two-character text changes, by the user or by
    // the program, with the text as fieldText() reads it.
    void fieldTextChanged(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyMode();
    void onDisplayChanged();
    void reportIncomplete();

    Mode m_mode;
    QString m_imeName;
    QString m_textAtFocus;
    bool m_entered = false; // focus is in the field, or coming back to it
    QString m_lastText;
    bool m_reporting = false;
};

} // namespace platform
