#include "table_rows.h"
#include "translator_fixture.h"

#include "i18n/dispatcher.h"
#include "i18n/entries.h"
#include "i18n/stored_tables.h"
#include "i18n/translator.h"
#include "platform/menu_item.h"
#include "platform/two_digit_field.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace i18n;

namespace {

// A non-string published property.
class Tagged : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Tag MEMBER tag)

public:
    int tag = 7;
};

// A Qt window with a two-language translator, language 2 showing.
struct QtWindow
{
    QWidget window;
    platform::QtForm form{&window, QStringLiteral("TForm1")};
    Translator *lang = nullptr;
    QtWindow()
    {
        window.setObjectName(QStringLiteral("Form1"));
        lang = new Translator(form, &window);
        lang->setNumOfLanguages(2);
        lang->setLangNames(kDanskEnglish);
        lang->setActiveLanguage(2);
        lang->storedList(stCaptions).clear();
        lang->storedList(stHints).clear();
        lang->storedList(stFonts).clear();
        lang->storedList(stCharSets).clear();
    }
    template <typename W> W *add(W *w, const char *name)
    {
        w->setObjectName(QLatin1String(name));
        form.addComponent(w);
        return w;
    }
};
} // namespace

class TestSync : public QObject
{
    Q_OBJECT

private slots:
    void windowCaptionIsKeptForTheLanguageLeft()
    {
        QtWindow w;
        w.lang->storedList(stCaptions) = QStringList{e("TForm1|Vindue|Window|")};
        w.window.setWindowTitle(QStringLiteral("Changed at run time"));
        w.lang->setActiveLanguage(1);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Vindue"));
        QCOMPARE(w.lang->list(stCaptions).first(), e("TForm1|Vindue|Changed at run time|"));
        w.lang->setActiveLanguage(2);
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Changed at run time"));
    }

    void instanceNameKeyBecomesTheClassName()
    {
        QtWindow w;
        w.lang->storedList(stCaptions) = QStringList{e("Form1|Vindue|Window|")};
        w.lang->storedList(stHints) = QStringList{e("Form1|Tip|Hint|")};
        w.lang->setActiveLanguage(1);
        QCOMPARE(EntryKey(w.lang->list(stCaptions).first(), D), QStringLiteral("TForm1"));
        QCOMPARE(EntryKey(w.lang->list(stHints).first(), D), QStringLiteral("TForm1"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Vindue"));
        QCOMPARE(w.window.statusTip(), QStringLiteral("Tip"));
    }

    void firstEntryWithTheWindowsTextIsRekeyed()
    {
        // The main window's first hint entry names another component but
        // holds the window's (empty) hint as language 1.
        QtWindow w;
        auto *tabs = w.add(new QTabWidget(&w.window), "PageControl1");
        w.lang->storedList(stHints) = QStringList{e("PageControl1|||"), e("Other|x|y|")};
        w.lang->setActiveLanguage(1);
        const QStringList keys = keysOf(w.lang->list(stHints));
        QCOMPARE(keys.first(), QStringLiteral("TForm1"));
        QVERIFY(keys.contains(QStringLiteral("PageControl1")));
        QVERIFY(!keys.contains(QStringLiteral("Other"))); // no such component
        Q_UNUSED(tabs);
    }

    void goneComponentsEntryReturnsUnderAnother()
    {
        QtWindow w;
        auto *old = w.add(new QLabel(QStringLiteral("Hello"), &w.window), "OldLabel");
        auto *fresh = w.add(new QLabel(QStringLiteral("Hello"), &w.window), "NewLabel");
        w.lang->storedList(stCaptions) = QStringList{e("TForm1|||"), e("OldLabel|Hej|Hello|")};
        delete old;
        w.lang->setActiveLanguage(1);
        const QStringList captions = w.lang->list(stCaptions);
        QVERIFY(!keysOf(captions).contains(QStringLiteral("OldLabel")));
        QVERIFY(captions.contains(e("NewLabel|Hej|Hello|")));
        QCOMPARE(fresh->text(), QStringLiteral("Hej"));
    }

    void newComponentsGetEntries()
    {
        QtWindow w;
        auto *label = w.add(new QLabel(QStringLiteral("Fresh"), &w.window), "Label1");
        label->setToolTip(QStringLiteral("tip"));
        label->setStatusTip(QStringLiteral("tip"));
        auto *tagged = w.add(new Tagged, "Tagged1");
        auto *field =
            w.add(new platform::TwoDigitField(platform::TwoDigitField::Mode::Optional, &w.window), "MaskEdit3");
        auto *combo = w.add(new QComboBox(&w.window), "ComboBox1");
        combo->addItems({QStringLiteral("a b"), QStringLiteral("c")});
        w.lang->setActiveLanguage(1);
        QVERIFY(w.lang->list(stCaptions).contains(e("Label1|Fresh||")));
        QVERIFY(w.lang->list(stHints).contains(e("Label1|tip||")));
        const QStringList other = keysOf(w.lang->list(stOtherStrings));
        QVERIFY(other.contains(QStringLiteral("MaskEdit3.EditMask")));
        QVERIFY(other.contains(QStringLiteral("MaskEdit3.Text")));
        QVERIFY(!other.contains(QStringLiteral("Tagged1.Tag")));
        QVERIFY(w.lang->list(stMultiLines).contains(e("ComboBox1.Items|\"a b\",c||")));
        delete tagged;
        Q_UNUSED(field);
    }

    void menuSeparatorGetsNoCaption()
    {
        QtWindow w;
        QMenu menu;
        QAction *separator = menu.addSeparator();
        QAction *exit = menu.addAction(QStringLiteral("E&xit"));
        QAction save(QStringLiteral("&Save"));
        menu.addAction(&save);
        w.add(new platform::MenuItem(QStringLiteral("N1"), separator, &w.window), "N1");
        w.add(new platform::MenuItem(QStringLiteral("Afslut1"), exit, &w.window), "Afslut1");
        auto *gem = w.add(new platform::MenuItem(QStringLiteral("Gem1"), &save, &w.window), "Gem1");
        gem->setAction(&save);
        w.lang->setActiveLanguage(1);
        const QStringList captions = keysOf(w.lang->list(stCaptions));
        QVERIFY(!captions.contains(QStringLiteral("N1")));
        QVERIFY(captions.contains(QStringLiteral("Afslut1")));
        QVERIFY(!captions.contains(QStringLiteral("Gem1"))); // follows its action
        QVERIFY(keysOf(w.lang->list(stHints)).contains(QStringLiteral("N1")));
    }

    void parentFontControlKeepsItsFont()
    {
        QtWindow w;
        auto *inherits = w.add(new QLabel(&w.window), "Inherits");
        auto *own = w.add(new QLabel(&w.window), "Own");
        QFont f = own->font();
        f.setFamily(QStringLiteral("Liberation Sans"));
        own->setFont(f);
        const QString inheritedFamily = inherits->font().family();
        w.lang->storedList(stFonts) =
            QStringList{e("TForm1|||"), e("Inherits|Courier||"), e("Own|Courier|Liberation Sans|")};
        w.lang->storedList(stCharSets) =
            QStringList{e("TForm1|||"), e("Inherits|SYMBOL_CHARSET||"), e("Own|symbol_charset||")};
        w.lang->setActiveLanguage(1);
        QCOMPARE(inherits->font().family(), inheritedFamily);
        QCOMPARE(inherits->property(platform::kCharsetProperty), QVariant());
        QCOMPARE(own->font().family(), QStringLiteral("Courier"));
        QCOMPARE(own->property(platform::kCharsetProperty).toInt(), 2);
        // The control that follows its parent lost its entry at the switch.
        QVERIFY(!keysOf(w.lang->list(stFonts)).contains(QStringLiteral("Inherits")));
    }

    void nonTextPropertyIsLeftAloneSilently()
    {
        QtWindow w;
        auto *tagged = w.add(new Tagged, "Tagged1");
        tagged->setParent(&w.window);
        auto *label = w.add(new QLabel(QStringLiteral("x"), &w.window), "Label1");
        w.lang->storedList(stOtherStrings) = QStringList{e("Tagged1.Tag|5|5|")};
        w.lang->storedList(stCaptions) = QStringList{e("TForm1|||"), e("Label1|Hej|x|")};
        w.lang->setActiveLanguage(1);
        QCOMPARE(tagged->tag, 7);
        QCOMPARE(label->text(), QStringLiteral("Hej"));
    }

    void errorInSyncStopsItButTheLanguageApplies()
    {
        FakeTranslated t;
        t.lang.setNumOfLanguages(2);
        t.lang.setActiveLanguage(2);
        FakeComponent &label = t.form.addLabel(QStringLiteral("Label1"), QStringLiteral("Hello"));
        FakeComponent &broken = t.form.addLabel(QStringLiteral("Broken"), QStringLiteral("x"));
        t.form.addLabel(QStringLiteral("Late"), QStringLiteral("never synced"));
        broken.failOnRead = true;
        t.lang.storedList(stCaptions) = QStringList{e("TForm1|||"), e("Label1|Hej|Hello|")};
        t.lang.setActiveLanguage(1);
        QCOMPARE(label.readString(QStringLiteral("Caption")), QStringLiteral("Hej"));
        QCOMPARE(t.lang.activeLanguage(), 1);
        // The completion stopped at the failing component.
        QVERIFY(!keysOf(t.lang.list(stCaptions)).contains(QStringLiteral("Late")));
    }

    void removedComponentLeavesDoNotTranslate()
    {
        FakeTranslated t;
        t.form.addLabel(QStringLiteral("Label1"), QString());
        t.lang.setDoNotTranslate({QStringLiteral("Label1"), QStringLiteral("Other")});
        t.lang.setExtendedTranslations({{QStringLiteral("Label1.Caption"), e("a|b")}, {QStringLiteral("X.Y"), {}}});
        t.form.remove(QStringLiteral("Label1"));
        QCOMPARE(t.lang.doNotTranslate(), QStringList{QStringLiteral("Other")});
        QCOMPARE(t.lang.extendedTranslations().size(), 1);
    }

    // A small main window of real widgets with the real table, switched to
    // Danish and back through its dispatcher.
    void mainWindowDanishAndBack()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("gearform"));
        window.setWindowTitle(QStringLiteral("Ratiomat"));
        QFont windowFont = window.font();
        windowFont.setFamily(QStringLiteral("MS Sans Serif"));
        window.setFont(windowFont);
        auto *dispatcher = named(new LanguageDispatcher(&window), "siLangDispatcher1");
        auto *tabs = named(new QTabWidget(&window), "PageControl1");
        auto *page = named(new QWidget, "TabSheet1");
        tabs->addTab(page, QStringLiteral("Setup"));
        auto *circumference = named(new QLabel(QStringLiteral("Circumference"), page), "Label43");
        auto *unit = named(new QLabel(QStringLiteral("Km/h"), page), "Label30");
        auto *sprocket = named(new platform::TwoDigitField(platform::TwoDigitField::Mode::Optional, page), "MaskEdit3");
        sprocket->setFieldText(QStringLiteral("14"));
        sprocket->setToolTip(QStringLiteral("Cassette"));
        sprocket->setStatusTip(QStringLiteral("Cassette"));
        int sprocketChanges = 0;
        QObject::connect(sprocket, &platform::TwoDigitField::fieldTextChanged, [&] { ++sprocketChanges; });
        auto *small = named(new QCheckBox(QStringLiteral("Small"), page), "CheckBox1");
        small->setToolTip(QStringLiteral("Show chart"));
        small->setStatusTip(QStringLiteral("Show chart"));
        auto *units = named(new QComboBox(page), "RadioGroup1");
        units->addItems({QStringLiteral("Km/t"), QStringLiteral("Mph")});
        units->setCurrentIndex(1);
        auto *save = named(new QAction(QStringLiteral("&Save"), &window), "Save");
        save->setStatusTip(QStringLiteral("Save chart as bitmap"));
        QMenu menu;
        menu.addAction(save);
        auto *gem = new platform::MenuItem(QStringLiteral("Gem1"), save, &window);
        gem->setAction(save);
        auto *button = named(new QToolButton(&window), "ToolButton6");
        button->setDefaultAction(save);

        platform::QtForm form(&window, QStringLiteral("Tgearform"),
                              {tabs, page, circumference, unit, sprocket, small, units, save, gem, button, dispatcher});
        auto *lang = named(new Translator(form, &window), "siLang1");
        loadStoredTables(kMainWindowTables, form, *lang, dispatcher);
        QCOMPARE(circumference->text(), QStringLiteral("Circumference"));

        dispatcher->setActiveLanguage(1);
        QCOMPARE(lang->activeLanguage(), 1);
        QCOMPARE(lang->language(), QStringLiteral("DANSK"));
        QCOMPARE(dispatcher->language(), QStringLiteral("DANSK"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Ratiomat"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Indstillinger"));
        QCOMPARE(circumference->text(), QString::fromUtf8("Dækomkreds"));
        QCOMPARE(unit->text(), QStringLiteral("Km/t"));
        QCOMPARE(small->text(), QStringLiteral("Lille"));
        QCOMPARE(small->statusTip(), QStringLiteral("Vis grafik for klinge"));
        QCOMPARE(sprocket->statusTip(), QStringLiteral("Bagkrans"));
        QCOMPARE(sprocket->fieldText(), QStringLiteral("  "));
        QVERIFY(sprocketChanges > 0);
        QCOMPARE(save->text(), QStringLiteral("&Gem"));
        QCOMPARE(save->statusTip(), QStringLiteral("Gem grafik som bitmap"));
        QCOMPARE(gem->caption(), QStringLiteral("&Gem"));
        QCOMPARE(button->text(), QStringLiteral("Gem")); // a tool button shows the icon text
        QCOMPARE(units->currentIndex(), 1);
        QCOMPARE(window.property(platform::kCharsetProperty).toInt(), 1);
        QCOMPARE(window.font().family(), QStringLiteral("MS Sans Serif"));
        const QStringList captionKeys = keysOf(lang->list(stCaptions));
        QVERIFY(!captionKeys.contains(QStringLiteral("Gem1")));
        QVERIFY(!captionKeys.contains(QStringLiteral("ToolButton6")));
        QVERIFY(captionKeys.contains(QStringLiteral("Save")));
        QCOMPARE(EntryKey(lang->list(stHints).first(), D), QStringLiteral("Tgearform"));
        QCOMPARE(lang->list(stFonts).first(), e("Tgearform|MS Sans Serif|MS Sans Serif|"));

        dispatcher->setActiveLanguage(2);
        QCOMPARE(dispatcher->language(), QStringLiteral("ENGLISH"));
        QCOMPARE(lang->language(), QStringLiteral("ENGLISH"));
        QCOMPARE(circumference->text(), QStringLiteral("Circumference"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Setup"));
        QCOMPARE(unit->text(), QStringLiteral("Km/t")); // no English text: keeps the Danish one
        QCOMPARE(small->text(), QStringLiteral("Small"));
        QCOMPARE(sprocket->statusTip(), QStringLiteral("Cassette"));
        QCOMPARE(save->text(), QStringLiteral("&Save"));
        QCOMPARE(save->statusTip(), QStringLiteral("Save chart as bitmap"));
        QCOMPARE(gem->hint(), QStringLiteral("Save chart as bitmap"));
    }
};

QTEST_MAIN(TestSync)
#include "test_sync.moc"
