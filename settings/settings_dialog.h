#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

namespace i18n {
class WindowTranslation;
class Translator;
} // namespace i18n
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;

namespace settings {

// The settings dialog: 3D view and depth of the chart, its gradient
// background, and the language of the main window. It only shows and
// collects values; the main window's openSettings reads and applies them.
class SettingsDialog : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ languageNumber WRITE setLanguageNumber)

public:
    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // The language the dialog shows itself in, published as Tag: 1 Danish,
    // 2 English.
    int languageNumber() const { return m_languageNumber; }
    void setLanguageNumber(int language) { m_languageNumber = language; }

    // The stored names of the dialog's components in stored order, from
    // which the translator's order is taken (test_stored_names checks them).
    static QStringList storedComponentOrder();
    // The dialog's stored translator, compiled in from setupform.lang.
    static QString storedTablesPath() { return QStringLiteral(":/tables/setupform.lang"); }

    // The dialog's own translator, which showInChosenLanguage switches to its language number.
    i18n::Translator *translator() const;

    void showInChosenLanguage();
    void languageChosen();

    QSlider *trackBar() const { return m_trackBar; }
    QCheckBox *gradientBox() const { return m_gradient; }
    QComboBox *languageList() const { return m_languages; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildDepthAndGradient();
    void buildLanguageList();
    void buildButtons();
    void buildTranslator();

    int m_languageNumber = 0;
    bool m_shown = false;
    QFrame *m_bevel = nullptr;
    QLabel *m_label3d = nullptr;
    QSlider *m_trackBar = nullptr;
    QCheckBox *m_gradient = nullptr;
    QComboBox *m_languages = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    std::unique_ptr<i18n::WindowTranslation> m_translation;
};

} // namespace settings
