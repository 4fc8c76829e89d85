#include "settings_dialog.h"

#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/translator.h"
#include "i18n/window_translation.h"
#include "platform/check_box.h"
#include "platform/error_display.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>

namespace settings {

SettingsDialog::SettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Indstillinger"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    // An ordinary window of 326 x 170 outside: 318 x 143 inside its frame.
    resize(318, 143);

    buildDepthAndGradient();
    buildLanguageList();
    buildButtons();

    setTabOrder(m_trackBar, m_gradient);
    setTabOrder(m_gradient, m_languages);
    setTabOrder(m_languages, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_trackBar->setFocus();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildTranslator();
}

// The 3D depth slider (0 is flat) and the gradient box, inside the bevel.
void SettingsDialog::buildDepthAndGradient()
{
    m_bevel = new QFrame(this);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bevel->setGeometry(8, 8, 209, 129);

    m_label3d = new QLabel(QStringLiteral("3D"), this);
    m_label3d->setObjectName(QStringLiteral("Label1"));
    m_label3d->move(32, 40);
    m_label3d->adjustSize();

    m_trackBar = new QSlider(Qt::Horizontal, this);
    m_trackBar->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar->setGeometry(54, 34, 59, 22);
    m_trackBar->setRange(0, 100);
    m_trackBar->setSingleStep(1);
    m_trackBar->setPageStep(2);
    m_trackBar->setTickPosition(QSlider::TicksBelow);
    m_trackBar->setTickInterval(10);

    m_gradient = new platform::CheckBox(QStringLiteral("Gradient"), this);
    m_gradient->setObjectName(QStringLiteral("CheckBox1"));
    m_gradient->setGeometry(32, 72, 97, 17);
}

void SettingsDialog::buildLanguageList()
{
    m_languages = new QComboBox(this);
    m_languages->setObjectName(QStringLiteral("ComboBox1"));
    m_languages->setEditable(false);
    m_languages->setGeometry(32, 104, 129, 21);
    connect(m_languages, &QComboBox::activated, this, platform::guarded([this] { languageChosen(); }));
}

void SettingsDialog::buildButtons()
{
    m_ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setGeometry(232, 8, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    m_cancel->setGeometry(232, 40, 75, 25);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList SettingsDialog::storedComponentOrder()
{
    return {QStringLiteral("Bevel1"),   QStringLiteral("Label1"),    QStringLiteral("BitBtn1"),
            QStringLiteral("BitBtn2"),  QStringLiteral("TrackBar1"), QStringLiteral("CheckBox1"),
            QStringLiteral("ComboBox1")};
}

// The dialog's own translator, not attached to the language dispatcher.
void SettingsDialog::buildTranslator()
{
    m_translation = std::make_unique<i18n::WindowTranslation>(*this, QStringLiteral("TSetupForm"),
                                                              storedComponentOrder(), storedTablesPath());
}

SettingsDialog::~SettingsDialog() = default;

i18n::Translator *SettingsDialog::translator() const
{
    return &m_translation->translator();
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The dialog is activated once, when it opens: it then shows itself in
    // the language its languageNumber (published as Tag) names.
    if (!m_shown) {
        m_shown = true;
        m_trackBar->setFocus();
        platform::runGuarded([this] { showInChosenLanguage(); });
    }
}

void SettingsDialog::showInChosenLanguage()
{
    m_translation->translator().setActiveLanguage(m_languageNumber);
}

void SettingsDialog::languageChosen()
{
    m_languageNumber = m_languages->currentIndex() + 1;
    showInChosenLanguage();
}

} // namespace settings
