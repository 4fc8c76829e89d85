#!/usr/bin/env python3
"""Writes the stored translators of the three translated windows.

The output files (app/gearform.lang, settings/setupform.lang,
report/printreportform.lang) are committed; run this script again after a
change here:  python3 i18n/tools/make_tables.py
"""
import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
SOH, TAB = "\x01", "\t"


def seq(prefix, first, last):
    return [f"{prefix}{i}" for i in range(first, last + 1)]


DIALOG_TEXTS = [
    "Warning", "Error", "Information", "Confirm", "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry",
    "&Ignore", "&All", "N&o To All", "Y&es To All", "&Help", "&Open", "Look &in:", "File &name:",
    "Files of &type:", "&Read-only", "&Save", "&Drives:", "Save &in:", "Save as &type:", "&Basic colors:",
    "&Custom colors:", "&Define Custom Colors >>", "Color", "|S&olid", "Hu&e:", "&Sat:", "&Lum:", "&Red:",
    "&Green:", "Bl&ue:", "&Add to Custom Colors", "&Font:", "Font st&yle:", "Si&ze:", "&Color:", "&Apply",
    "Effects", "Stri&keout", "&Underline", "Sample", "Sc&ript:", "Printer", "&Name:", "&Properties",
    "Status:", "Type:", "Where:", "Comment:", "Paper", "&Source:", "Orientation", "P&ortrait", "L&andscape",
    "Print to f&ile", "Print", "Pa&ges", "&Selection", "&from:", "&to:", "Copies", "Number of &copies:",
    "C&ollate", "Fi&nd what:", "Match &whole words only", "Match &case", "Direction", "&Up", "&Down",
    "&Find Next", "&Replace", "Replace &All", "Re&place with:", "Picture:", "Preview",
]
assert len(DIALOG_TEXTS) == 79

LOCALES = [
    ("Currency String", "kr"), ("Thousand Separator", "."), ("Decimal Separator", ","),
    ("Date Separator", "-"), ("Short Date Format", "dd-MM-yy"), ("Long Date Format", "d. MMMM yyyy"),
    ("Time Separator", ":"), ("Time AM String", ""), ("Time PM String", ""), ("Short Time Format", "hh:mm"),
    ("Long Time Format", "hh:mm:ss"),
    ("Short Month Names", "jan,feb,mar,apr,maj,jun,jul,aug,sep,okt,nov,dec"),
    ("Long Month Names", "januar,februar,marts,april,maj,juni,juli,august,september,oktober,november,december"),
    ("Short Day Names", "sø,ma,ti,on,to,fr,lø"),
    ("Long Day Names", "søndag,mandag,tirsdag,onsdag,torsdag,fredag,lørdag"),
]

SPEED_LABELS = seq("BigSpeedLabel", 1, 9) + seq("MediumSpeedLabel", 1, 9) + seq("SmallSpeedLabel", 1, 9)
GEAR_LABELS = ["BigLabel1", "MediumLabel1"] + seq("BigLabel", 2, 9) + seq("MediumLabel", 2, 9) + seq("SmallLabel", 1, 9)


def entry(d, key, *texts):
    return key + "".join(d + t for t in texts) + d


def dialogs(d, english_field):
    return [entry(d, t.replace("&", ""), t, *([""] if english_field else [])) for t in DIALOG_TEXTS]


def main_window_tables():
    d = SOH
    captions_keys = (["Tgearform", "TabSheet1", "Label43", "Label44", "RadioGroup1", "GroupBox1", "Label5",
                      "Label30", "Label40", "Label63", "GroupBox2", "Label2", "TabSheet2", "Panel1", "Panel2",
                      "Udskriv", "Zoomin", "Zoomud", "Undo", "Dansk1", "English1", "Copy", "Save", "Filer1",
                      "Rediger1", "Hjlp1", "Gem1", "Udskriv1", "Afslut1", "Kopier1", "Vis1", "Zoomind1",
                      "Zoomud1", "Nulstil1", "Om1", "Indstillinger1"] + GEAR_LABELS +
                     ["ToolBar1", "ToolButton6", "ToolButton2", "ToolButton3", "ToolButton4", "ToolButton5",
                      "Panel3", "Panel4", "Label41", "Label42", "CheckBox1", "CheckBox2", "CheckBox3", "Report",
                      "Setup", "Udskriv2", "Zoomind2", "Zoomud2", "Nulstil2", "Indstillinger2"] + SPEED_LABELS)
    assert len(captions_keys) == 110
    caption_rows = [
        ("Ratiomat", "Ratiomat", ["Tgearform"]),
        ("Indstillinger", "Setup", ["TabSheet1"]),
        ("Dækomkreds", "Circumference", ["Label43"]),
        ("(700x21 = 210 cm)", "(700x21 = 210 cm)", ["Label44"]),
        ("Kadence", "Cadence:", ["Label5"]),
        ("Km/t", "", ["Label30", "Label40", "Label63"]),
        ("Bag/For", "Rear/Front", ["Label2"]),
        ("Grafik", "Chart", ["TabSheet2"]),
        ("&Udskriv", "&Print", ["Udskriv", "Udskriv1", "ToolButton2", "Report", "Udskriv2"]),
        ("Zoom &ind", "Zoom &in", ["Zoomin", "Zoomind1", "ToolButton4", "Zoomind2"]),
        ("Zoom &ud", "Zoom &out", ["Zoomud", "Zoomud1", "ToolButton5", "Zoomud2"]),
        ("Nulstil", "Undo", ["Undo", "Nulstil1", "Nulstil2"]),
        ("K&opier", "C&opy", ["Dansk1", "Copy", "Kopier1", "ToolButton3"]),
        ("&Gem", "&Save", ["English1", "Save", "Gem1", "ToolButton6"]),
        ("&Filer", "&File", ["Filer1"]),
        ("&Rediger", "&Edit", ["Rediger1"]),
        ("&Hjælp", "&Help", ["Hjlp1"]),
        ("&Afslut", "E&xit", ["Afslut1"]),
        ("&Vis", "&View", ["Vis1"]),
        ("&Om..", "&About", ["Om1"]),
        ("&Indstillinger", "&Setup", ["Indstillinger1", "Setup", "Indstillinger2"]),
        ("Min. kadence", "Min. cadence", ["Label41"]),
        ("Max. kadence", "Max. cadence", ["Label42"]),
        ("Lille", "Small", ["CheckBox1"]),
        ("Mellem", "Medium", ["CheckBox2"]),
        ("Stor", "Large", ["CheckBox3"]),
    ]
    captions_text = {}
    for da, en, keys in caption_rows:
        for k in keys:
            captions_text[k] = (da, en)
    for k in ["ToolBar1"] + seq("BigLabel", 1, 9) + seq("MediumLabel", 1, 9) + \
            seq("BigSpeedLabel", 1, 9) + seq("MediumSpeedLabel", 1, 9):
        captions_text[k] = (k, "")
    for k, da in zip(seq("SmallLabel", 1, 9), ["Label3"] + seq("Label", 13, 20)):
        captions_text[k] = (da, "")
    for k, da in zip(seq("SmallSpeedLabel", 1, 9), seq("Label", 31, 39)):
        captions_text[k] = (da, "")
    captions = [entry(d, k, *captions_text.get(k, ("", ""))) for k in captions_keys]

    hints_keys = (["PageControl1", "TabSheet1", "Label43", "Label44", "SpinEdit4", "RadioGroup1", "GroupBox1",
                   "Label5", "Label30", "Label40", "Label63", "SpinEdit1", "GroupBox2", "Label2"] +
                  seq("MaskEdit", 1, 12) +
                  ["TabSheet2", "Panel1", "Panel2", "Udskriv", "Zoomin", "Zoomud", "Undo", "Dansk1", "English1",
                   "Copy", "Save", "Filer1", "Rediger1", "Hjlp1", "Gem1", "N1", "Udskriv1", "N2", "Afslut1",
                   "Kopier1", "Vis1", "Zoomind1", "Zoomud1", "Nulstil1", "Om1", "N3", "Indstillinger1"] +
                  GEAR_LABELS +
                  ["StringGrid1", "ToolBar1", "ToolButton6", "ToolButton2", "ToolButton3", "ToolButton4",
                   "ToolButton5", "Panel3", "Chart1", "Panel4", "Label41", "Label42", "CheckBox1", "CheckBox2",
                   "CheckBox3", "SpinEdit2", "SpinEdit3", "Report", "Setup", "Udskriv2", "N5", "Zoomind2",
                   "Zoomud2", "Nulstil2", "N6", "Indstillinger2", "StatusBar1"] + SPEED_LABELS)
    assert len(hints_keys) == 134
    hint_rows = [
        ("Indstillinger", "Setup", ["TabSheet1"]),
        ("Dækomkreds", "Tire circumference", ["SpinEdit4"]),
        ("Beregn farten ved denne kadence", "Calculate speed at this cadence", ["SpinEdit1"]),
        ("Klinger", " ", ["MaskEdit1", "MaskEdit2", "MaskEdit12"]),
        ("Bagkrans", "Cassette", seq("MaskEdit", 3, 11)),
        ("Grafik", "Chart", ["TabSheet2"]),
        ("Udskriv rapport", "Print report", ["Udskriv", "Udskriv1", "ToolButton2", "Report", "Udskriv2"]),
        ("Zoom ind", "Zoom in", ["Zoomin", "Zoomind1", "ToolButton4", "Zoomind2"]),
        ("Zoom ud", "Zoom out", ["Zoomud", "Zoomud1", "ToolButton5", "Zoomud2"]),
        ("Nulstil grafikindstillinger", "Reset chart", ["Undo", "Nulstil1", "Nulstil2"]),
        ("Kopier grafik", "Copy chart to clipboard", ["Dansk1", "Copy", "Kopier1", "ToolButton3"]),
        ("Gem grafik som bitmap", "Save chart as bitmap", ["English1", "Save", "Gem1", "ToolButton6"]),
        ("Højreklik for menu", "Rightclick ", ["Chart1"]),
        ("Vis grafik for klinge", "Show chart", ["CheckBox1", "CheckBox2", "CheckBox3"]),
        ("Minimum kadence", "Min cadence", ["SpinEdit2"]),
        ("Maksimum kadence", "Max cadence", ["SpinEdit3"]),
    ]
    hints_text = {k: (da, en) for da, en, keys in hint_rows for k in keys}
    hints = [entry(d, k, *hints_text.get(k, ("", ""))) for k in hints_keys]

    multilines = [entry(d, "RadioGroup1.Items", "Km/t,Mph", ""),
                  entry(d, "siLangDispatcher1.LangNames", "DANSK,ENGLISH", "")]

    filter_text = ("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
                   "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
                   "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf")
    other = [("Tgearform.HelpFile", "")]
    for i in range(1, 13):
        mask = "00;1;_" if i in (1, 2, 12) else "99;1;_"
        other += [(f"MaskEdit{i}.EditMask", mask), (f"MaskEdit{i}.ImeName", ""), (f"MaskEdit{i}.Text", "  ")]
    other += [("Udskriv.Category", "Filer"), ("Zoomin.Category", "Grafik"), ("Zoomud.Category", "Grafik"),
              ("Undo.Category", "Grafik"), ("Copy.Category", ""), ("Save.Category", "")]
    other += [("SavePictureDialog1.DefaultExt", ""), ("SavePictureDialog1.FileName", ""),
              ("SavePictureDialog1.Filter", filter_text), ("SavePictureDialog1.InitialDir", ""),
              ("SavePictureDialog1.Title", "")]
    for s in ("Series1", "Series2", "Series3"):
        other += [(f"{s}.ColorSource", ""), (f"{s}.PercentFormat", "##0.## %"), (f"{s}.Title", ""),
                  (f"{s}.ValueFormat", "#,##0.###"), (f"{s}.XLabelsSource", "")]
    other += [("Report.Category", ""), ("Setup.Category", "Filer"), ("siLangDispatcher1.Language", "DANSK"),
              ("StatusBar1.SimpleText", "")]
    assert len(other) == 67
    other_strings = [entry(d, k, da, "") for k, da in other]

    fonts_keys = (["Tgearform", "PageControl1", "TabSheet1", "Label43", "Label44", "SpinEdit4", "RadioGroup1",
                   "GroupBox1", "Label5", "Label30", "Label40", "Label63", "SpinEdit1", "GroupBox2", "Label2"] +
                  seq("MaskEdit", 1, 12) + ["TabSheet2", "Panel1", "Panel2"] + GEAR_LABELS +
                  ["StringGrid1", "ToolBar1", "Panel3", "Panel4", "Label41", "Label42", "CheckBox1", "CheckBox2",
                   "CheckBox3", "SpinEdit2", "SpinEdit3", "StatusBar1"] + SPEED_LABELS)
    assert len(fonts_keys) == 96 and fonts_keys[29] == "Panel2"
    fonts = [entry(d, k, "MS Sans Serif", "") for k in fonts_keys]
    charsets = []
    for i, k in enumerate(fonts_keys):
        if i == 0:
            charsets.append(entry(d, k, "DEFAULT_CHARSET", ""))
        elif i < 30:
            charsets.append(entry(d, k, "DEFAULT_CHARSET"))
        else:
            charsets.append(entry(d, k, "", ""))

    locales = [entry(d, name, value, "") for name, value in LOCALES]

    translator = [
        ("Version", "v5.1.1"),
        ("StringsTypes", ["TIB_STRINGLIST", "TSTRINGLIST"]),
        ("Captions", captions),
        ("Hints", hints),
        ("Fonts", fonts),
        ("MultiLines", multilines),
        ("DlgsCaptions", dialogs(d, True)),
        ("OtherStrings", other_strings),
        ("Locales", locales),
        ("CharSets", charsets),
        ("NumOfLanguages", "2"),
        ("ActiveLanguage", "2"),
        ("LangDispatcher", "siLangDispatcher1"),
        ("LangDelim", "1"),
        ("LangNames", ["DANSK", "ENGLISH"]),
        ("Language", "ENGLISH"),
    ]
    dispatcher = [
        ("ActiveLanguage", "2"),
        ("NumOfLanguages", "2"),
        ("LangNames", ["DANSK", "ENGLISH"]),
        ("Language", "ENGLISH"),
    ]
    return [("siLang1", "TsiLang", translator), ("siLangDispatcher1", "TsiLangDispatcher", dispatcher)]


def small_window(cls, captions, hints_keys, fonts, multilines, other_keys, short_date):
    d = TAB
    locales = [entry(d, name, short_date if name == "Short Date Format" else value, "")
               for name, value in LOCALES[:11]]
    translator = [
        ("Version", "v4.9"),
        ("StringsTypes", ["TIB_STRINGLIST", "TSTRINGLIST"]),
        ("Captions", [entry(d, k, da, "") for k, da in captions]),
        ("Hints", [entry(d, k, "", "") for k in hints_keys]),
        ("Fonts", [entry(d, k, name, "") for k, name in fonts]),
        ("MultiLines", [entry(d, k, "", "") for k in multilines]),
        ("DlgsCaptions", dialogs(d, False)),
        ("OtherStrings", [entry(d, k, "", "") for k in other_keys]),
        ("Locales", locales),
        ("CharSets", [entry(d, k, "DEFAULT_CHARSET", "") for k, _ in fonts]),
        ("NumOfLanguages", "2"),
        ("LangNames", ["LANGUAGE N1", "LANGUAGE N2"]),
        ("Language", "LANGUAGE N1"),
    ]
    return [("siLang1", "TsiLang", translator)]


def settings_dialog_tables():
    captions = [("TSetupForm", "Indstillinger"), ("Label1", "3D"), ("BitBtn1", "OK"), ("BitBtn2", "Cancel"),
                ("CheckBox1", "Gradient")]
    objects = small_window(
        "TSetupForm", captions,
        ["Bevel1", "Label1", "BitBtn1", "BitBtn2", "TrackBar1", "CheckBox1", "ComboBox1"],
        [(k, "MS Sans Serif") for k in ["TSetupForm", "Label1", "BitBtn1", "BitBtn2", "CheckBox1", "ComboBox1"]],
        ["ComboBox1.Items"], ["TSetupForm.HelpFile", "ComboBox1.ImeName", "ComboBox1.Text"], "dd-MM-yyyy")
    # The caption is the only text with an English column.
    captions_list = dict(objects[0][2])["Captions"]
    captions_list[0] = entry(TAB, "TSetupForm", "Indstillinger", "Setup")
    return objects


def report_form_tables():
    labels = ["QRLabel3", "QRLabel4", "QRLabel6", "QRLabel7", "QRLabel5", "QRLabel9", "QRLabel10"]
    captions = ([("TPrintReportForm", "PrintReportForm")] + [(k, k) for k in labels] +
                [("QRLabel8", "Copyright © 2026 The Ratiomat developers"), ("QRLabel1", "QRLabel1")])
    hints = ["QuickRep1", "QRBand1", "QRChart1", "QRDBChart1", "QRBand2"] + labels + \
            ["QRBand3", "QRLabel8", "QRBand4", "QRLabel1"]
    fonts = [("TPrintReportForm", "MS Sans Serif")] + [(k, "Arial") for k in
                                                       ["QuickRep1", "QRBand1", "QRBand2"] + labels +
                                                       ["QRBand3", "QRLabel8", "QRBand4", "QRLabel1"]]
    assert len(fonts) == 15 and len(hints) == 16
    return small_window("TPrintReportForm", captions, hints, fonts, ["QuickRep1.Description"],
                        ["TPrintReportForm.HelpFile", "QuickRep1.ReportTitle"], "dd-MM-yy")


def write(path, title, objects):
    lines = [f"# {title}",
             "# Written by i18n/tools/make_tables.py. Each list item follows \"|\" verbatim; its",
             "# delimiters are raw control characters (code 1, or tab where the table stores tabs).",
             ""]
    for name, cls, props in objects:
        lines.append(f"object {name}: {cls}")
        for prop, value in props:
            if isinstance(value, list):
                lines.append(f"  {prop} = (")
                lines += [f"    |{item}" for item in value]
                lines.append("  )")
            else:
                lines.append(f"  {prop} = {value}")
        lines.append("end")
        lines.append("")
    with open(os.path.join(ROOT, path), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))


write("app/gearform.lang", "Stored translator and language dispatcher of the main window (Tgearform).", main_window_tables())
write("settings/setupform.lang", "Stored translator of the settings dialog (TSetupForm).", settings_dialog_tables())
write("report/printreportform.lang", "Stored translator of the report form (TPrintReportForm).", report_form_tables())
