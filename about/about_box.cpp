#include "about_box.h"

#include "about/url_link.h"
#include "data/icons.h"
#include "platform/error_display.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <memory>

namespace about {

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click arrives as a press and then as this
    // event (whose default handling presses again).
    QLabel::mouseDoubleClickEvent(event);
    m_pressed = false;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void showAboutBox(QWidget *parent)
{
    const auto box = std::make_unique<AboutBox>(parent);
    box->exec();
}

namespace {

QFont arial(int pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    return font;
}

QLabel *placeLabel(QLabel *label, const char *name, QPoint at, const QFont &font)
{
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_urlLink(new UrlLink(this))
{
    about::installFontSubstitutes();
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Om Ratiomat"));
    setFixedSize(331, 131);
    setFont(about::arial(10));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 313, 113);

    // The 32 x 32 icon sits in the top left corner of its 41 x 41 place.
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(24, 24, 41, 41);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(icons::programIcon().pixmap(QSize(32, 32)));

    about::placeLabel(new QLabel(QStringLiteral("Ratiomat"), this), "Label1", {88, 24}, about::arial(10));
    about::placeLabel(new QLabel(QStringLiteral("Copyright © 2004–2026 Ratiomat developers"), this), "Label2", {88, 40},
                      about::arial(8));
    about::placeLabel(new QLabel(QStringLiteral("All rights reserved."), this), "Label3", {88, 56}, about::arial(8));

    QFont linkFont = about::arial(10);
    linkFont.setUnderline(true);
    auto *webAddress = new about::LinkLabel(about::kMakerHost, this);
    about::placeLabel(webAddress, "Label4", {88, 88}, linkFont);
    QPalette linkPalette = webAddress->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    webAddress->setPalette(linkPalette);
    // Labels on the button-face background would otherwise draw in ButtonText.
    webAddress->setForegroundRole(QPalette::WindowText);
    webAddress->setCursor(Qt::PointingHandCursor);

    m_urlLink->setObjectName(QStringLiteral("pvlUrl1"));
    m_urlLink->setUrl(about::kMakerUrl);

    connect(webAddress, &about::LinkLabel::clicked, this, platform::guarded([this] { openWebAddress(); }));

    // Centred on the screen rather than over the parent window.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void AboutBox::openWebAddress()
{
    m_urlLink->openUrl();
}

} // namespace about
