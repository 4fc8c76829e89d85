#pragma once

#include <QDialog>
#include <QLabel>

namespace about {

class UrlLink;

// The maker's web page: the link target, and its host name as the link text.
inline const QString kMakerUrl = QStringLiteral("https://ratiomat.example.org");
inline const QString kMakerHost = QStringLiteral("ratiomat.example.org");

// Lets "Arial" resolve to the metric-compatible Liberation Sans where Arial
// itself is not installed. Harmless to call more than once.
void installFontSubstitutes();

// A text label that reports a left-button click, like a link: a press and a
// release on the label. A double-click is one click; its second press opens
// nothing.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// The About box: program icon, name, copyright, rights line and the maker's
// web address, which opens in the default browser when clicked. Closed with
// the window's close control (or Escape).
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    // Click handler of the web address. Throws what openUrl throws; the
    // click is connected so that the application's error box reports it.
    void openWebAddress();

private:
    // Its parts carry their stored names: Bevel1, Image1 (the icon), Label1
    // to Label3 (name, copyright, rights), Label4 (the web address) and
    // pvlUrl1 (this link, which the tests reach by that name).
    UrlLink *m_urlLink = nullptr;
};

// Handler of Help > About: shows a fresh About box modally and destroys it
// when it is closed.
void showAboutBox(QWidget *parent = nullptr);

} // namespace about
