// The two-digit tooth field and the integer spin field, driven with real
// key and focus events.
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/two_digit_field.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

using platform::IntSpinField;
using platform::TwoDigitField;

class TestInputFields : public QObject
{
    Q_OBJECT

    QStringList errors;
    std::unique_ptr<QWidget> window;
    TwoDigitField *ring = nullptr;
    TwoDigitField *sprocket = nullptr;
    IntSpinField *cadence = nullptr;
    IntSpinField *circumference = nullptr;

    // Waits for the application's modal message box, lets `look` see it,
    // then presses Enter on it.
    void closeModalBox(const std::function<void(QMessageBox *)> &look)
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, this, [this, look] { closeModalBox(look); });
            return;
        }
        look(box);
        QTest::keyClick(box, Qt::Key_Return);
    }

    void focus(QWidget *w)
    {
        w->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w->hasFocus());
    }

private Q_SLOTS:
    void initTestCase()
    {
        platform::setErrorSink([this](const QString &m) { errors << m; });
    }
    void init()
    {
        errors.clear();
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        ring = new TwoDigitField(TwoDigitField::Mode::Required);
        sprocket = new TwoDigitField(TwoDigitField::Mode::Optional);
        cadence = new IntSpinField;
        cadence->setBounds(0, 200);
        cadence->setValue(100);
        circumference = new IntSpinField;
        circumference->setValue(210);
        for (QWidget *w : std::initializer_list<QWidget *>{ring, sprocket, cadence, circumference})
            layout->addWidget(w);
        ring->setFieldText(QStringLiteral("53"));
        sprocket->setFieldText(QStringLiteral("12"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
    }
    void cleanup() { window.reset(); }

    void textIsAlwaysTwoCharacters()
    {
        TwoDigitField f(TwoDigitField::Mode::Optional);
        QCOMPARE(f.fieldText(), QStringLiteral("  "));
        f.setFieldText(QStringLiteral("5 "));
        QCOMPARE(f.fieldText(), QStringLiteral("5 "));
        QCOMPARE(f.displayText(), QStringLiteral("5_"));
        f.setFieldText(QStringLiteral(" 5"));
        QCOMPARE(f.fieldText(), QStringLiteral(" 5"));
    }

    void typingIntoBlanks_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digit at first position") << "7" << 0 << "7 ";
        QTest::newRow("digit at second position") << "7" << 1 << " 7";
        QTest::newRow("letter and sign refused") << "a-" << 0 << "  ";
    }
    void typingIntoBlanks()
    {
        QFETCH(QString, keys);
        QFETCH(int, position);
        QFETCH(QString, expected);
        focus(sprocket);
        sprocket->setFieldText(QStringLiteral("  "));
        sprocket->setCursorPosition(position);
        QTest::keyClicks(sprocket, keys);
        QCOMPARE(sprocket->fieldText(), expected);
    }

    void changeSignalCarriesBlanks()
    {
        QSignalSpy spy(sprocket, &TwoDigitField::fieldTextChanged);
        focus(sprocket);
        sprocket->setCursorPosition(1);
        QTest::keyClick(sprocket, Qt::Key_Backspace);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral(" 2"));
        sprocket->setFieldText(QStringLiteral(" 2")); // equal text: no change
        QCOMPARE(spy.count(), 1);
    }

    void escapeRestoresTextFromFocus()
    {
        focus(sprocket);
        sprocket->selectAll();
        QTest::keyClicks(sprocket, QStringLiteral("34"));
        QCOMPARE(sprocket->fieldText(), QStringLiteral("34"));
        QTest::keyClick(sprocket, Qt::Key_Escape);
        QCOMPARE(sprocket->fieldText(), QStringLiteral("12"));
    }

    // Each visit to a field has its own snapshot: a value kept by leaving
    // the field stays when the rider comes back and presses Escape, also
    // after a refused exit. (A sprocket field without the refusal: the main
    // window's suite.)
    void escapeGivesBackTheTextOfThisVisit()
    {
        focus(ring);
        ring->selectAll();
        QTest::keyClicks(ring, QStringLiteral("60"));
        QTest::keyClick(ring, Qt::Key_Tab);
        QTRY_VERIFY(sprocket->hasFocus());
        QTest::keyClick(sprocket, Qt::Key_Backtab);
        QTRY_VERIFY(ring->hasFocus());
        ring->setCursorPosition(2);
        QTest::keyClick(ring, Qt::Key_Backspace);
        // The real error box this time: its focus coming back to the field
        // is no new visit either.
        platform::setErrorSink({});
        QString boxText;
        closeModalBox([&](QMessageBox *box) { boxText = box->text(); });
        QTest::keyClick(ring, Qt::Key_Tab);
        QTRY_COMPARE(boxText, QStringLiteral("Invalid input value.  Use escape key to abandon changes."));
        platform::setErrorSink([this](const QString &m) { errors << m; });
        window->activateWindow(); // as the desktop does when the box closes
        QTRY_VERIFY(ring->hasFocus());
        QTest::keyClick(ring, Qt::Key_Escape);
        QCOMPARE(ring->fieldText(), QStringLiteral("60"));
    }

    void leavingIncompleteChainringIsRefused()
    {
        focus(ring);
        ring->setCursorPosition(2);
        QTest::keyClick(ring, Qt::Key_Backspace);
        QCOMPARE(ring->fieldText(), QStringLiteral("5 "));
        focus(sprocket);
        QTRY_COMPARE(errors, QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes.")});
        QTRY_VERIFY(ring->hasFocus());
        QCOMPARE(ring->cursorPosition(), 1);
        QTest::keyClick(ring, Qt::Key_Escape);
        QCOMPARE(ring->fieldText(), QStringLiteral("53"));
        focus(sprocket);
        QTest::qWait(20);
        QCOMPARE(errors.size(), 1);
    }

    // Markup in a message (a file name, the platform's reason) is shown as
    // typed, never interpreted.
    void errorBoxShowsPlainText()
    {
        platform::setErrorSink({});
        const QString message = QStringLiteral("Cannot create file \"/tmp/<b>x.bmp\". <i>No</i> &amp; <img src=y>");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QString title;
        closeModalBox([&](QMessageBox *box) {
            title = box->windowTitle();
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label);
            format = label->textFormat();
            shown = label->text();
        });
        platform::showError(message);
        platform::setErrorSink([this](const QString &m) { errors << m; });
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, message + u'.');
        QCOMPARE(title, QApplication::applicationName());
    }

    // Only a user edit of a chainring field is validated on leaving.
    void blanksThatMayBeLeft_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::newRow("chainring blanked by the program") << false;
        QTest::newRow("sprocket blanked by the rider") << true;
    }
    void blanksThatMayBeLeft()
    {
        QFETCH(bool, typed);
        TwoDigitField *field = typed ? sprocket : ring, *next = typed ? ring : sprocket;
        focus(field);
        field->selectAll();
        if (typed)
            QTest::keyClick(field, Qt::Key_Delete);
        else
            field->setFieldText(QStringLiteral("  "));
        focus(next);
        QTest::qWait(20);
        QVERIFY(errors.isEmpty());
        QVERIFY(next->hasFocus());
    }

    void spinText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << "120" << 120;
        QTest::newRow("leading blank") << " 42" << 42;
        QTest::newRow("empty reads as minimum") << "" << 0;
        QTest::newRow("blanks only") << "  " << 0;
        QTest::newRow("lone minus") << "-" << 0;
        QTest::newRow("decimal") << "1.5" << 0;
        QTest::newRow("trailing blank") << "42 " << 0;
        QTest::newRow("beyond 32 bits") << "99999999999" << 0;
        QTest::newRow("one past the largest") << "2147483648" << 0;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("out of bounds is read as typed") << "250" << 250;
        QTest::newRow("negative") << "-7" << -7;
    }
    void spinText()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        cadence->setFieldText(text);
        QCOMPARE(cadence->value(), value);
    }

    void spinBoundsOnStepAndLeave()
    {
        cadence->setValue(200);
        focus(cadence);
        QTest::keyClick(cadence, Qt::Key_Up);
        QCOMPARE(cadence->value(), 200);
        QTest::keyClick(cadence, Qt::Key_Down);
        QCOMPARE(cadence->value(), 199);
        cadence->selectAll();
        QTest::keyClicks(cadence, QStringLiteral("250"));
        QCOMPARE(cadence->value(), 250);
        QSignalSpy spy(cadence, &IntSpinField::changed);
        focus(circumference);
        QCOMPARE(cadence->fieldText(), QStringLiteral("200"));
        QCOMPARE(spy.count(), 1);
        // An empty text stays empty when left: it reads as the minimum already.
        cadence->setFieldText(QString());
        focus(cadence);
        focus(circumference);
        QCOMPARE(cadence->fieldText(), QString());
    }

    void spinKeyFilter()
    {
        focus(cadence);
        cadence->selectAll();
        QTest::keyClicks(cadence, QStringLiteral("1a2 x+"));
        QCOMPARE(cadence->fieldText(), QStringLiteral("12+"));
        QSignalSpy spy(cadence, &IntSpinField::changed);
        QTest::keyClick(cadence, Qt::Key_Return);
        QCOMPARE(cadence->fieldText(), QStringLiteral("12+"));
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestInputFields)
#include "test_input_fields.moc"
