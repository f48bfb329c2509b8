#include "dialogs/TOptionsDlg.h"

#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/DialogServices.h"
#include "dialogs/Hints.h"
#include "dialogs/NamedControls.h"
#include "dialogs/OptionsRules.h"
#include "dialogs/TDateDlg.h"
#include "dialogs/TOverviewDlg.h"
#include "dialogs/TSchedulerDlg.h"

#include "dialogs/TWarningsBox.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {
namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString DayText(double day)
{
    return Q(FormatDateTime("ddd ddddd", day));
}

QComboBox* MakeOrphanCombo(OrphanCombo combo, const char* name, const QString& accessible,
                           QWidget* parent)
{
    auto* box = Named(new QComboBox(parent), name, accessible);
    for (const std::string& text : OrphanItemTexts(combo)) {
        box->addItem(Q(text));
    }
    return box;
}

QCheckBox* Check(const char* caption, const char* name, QWidget* parent)
{
    return Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
}

QRadioButton* Radio(const char* caption, const char* name, QWidget* parent)
{
    return Named(new QRadioButton(QString::fromUtf8(caption), parent), name);
}

}  // namespace

TOptionsDlg::TOptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Optionen"));
    setObjectName(QStringLiteral("OptionsDlg"));
    Notebook = Named(new QTabWidget(this), "Notebook", QStringLiteral("Seiten"));
    // All nine page tabs stay in sight.
    Notebook->setUsesScrollButtons(false);
    Notebook->addTab(BuildRangePage(), QStringLiteral("Bereich"));
    Notebook->addTab(BuildDirectoriesPage(), QStringLiteral("Verzeichnisse"));
    Notebook->addTab(BuildAgePage(), QStringLiteral("Alter"));
    Notebook->addTab(BuildOrphansPage(), QStringLiteral("Waisen"));
    Notebook->addTab(BuildSortingPage(), QStringLiteral("Sortierung"));
    Notebook->addTab(BuildChecksPage(), QStringLiteral("Kontrollen"));
    Notebook->addTab(BuildWarningsPage(), QStringLiteral("Warnungen"));
    Notebook->addTab(BuildAutomationPage(), QStringLiteral("Automatik"));
    Notebook->addTab(BuildMiscPage(), QStringLiteral("Verschied."));

    ReadBtn = Named(new QPushButton(QStringLiteral("Lesen"), this), "ReadBtn");
    ReadBtn->setToolTip(QStringLiteral("Die Standard-Optionen für neue Profile laden"));
    WriteBtn = Named(new QPushButton(QStringLiteral("Schreiben"), this), "WriteBtn");
    WriteBtn->setToolTip(QStringLiteral("Diese Optionen als Standard für neue Profile speichern"));
    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    OkBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(QStringLiteral("Abbruch"), this), "CancelBtn");
    HelpBtn = Named(new QPushButton(QStringLiteral("Hilfe"), this), "HelpBtn");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ReadBtn);
    buttons->addWidget(WriteBtn);
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Notebook);
    layout->addLayout(buttons);

    connect(ReadBtn, &QPushButton::clicked, this, &TOptionsDlg::ReadDefaults);
    connect(WriteBtn, &QPushButton::clicked, this, &TOptionsDlg::WriteDefaults);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, HelpContext()); });
    SetDocument(nullptr);
}

QWidget* TOptionsDlg::BuildRangePage()
{
    auto* page = new QWidget;
    auto* touch = new QGroupBox(QStringLiteral(" Anrühren "), page);
    DestOnlyRbt = Radio("Nur Ziel (vorwärts)", "DestOnlyRbt", touch);
    BothRbt = Radio("Ziel und Quelle (in beide Richtungen)", "BothRbt", touch);
    SrcOnlyRbt = Radio("Nur Quelle (rückwärts)", "SrcOnlyRbt", touch);
    touchGroup_ = new QButtonGroup(this);
    touchGroup_->addButton(DestOnlyRbt, static_cast<int>(TouchMode::DestOnly));
    touchGroup_->addButton(BothRbt, static_cast<int>(TouchMode::Both));
    touchGroup_->addButton(SrcOnlyRbt, static_cast<int>(TouchMode::SrcOnly));
    auto* touchLayout = new QVBoxLayout(touch);
    touchLayout->addWidget(DestOnlyRbt);
    touchLayout->addWidget(BothRbt);
    touchLayout->addWidget(SrcOnlyRbt);
    connect(touchGroup_, &QButtonGroup::idClicked, this, &TOptionsDlg::ApplyTouchRule);

    auto* attributes = new QGroupBox(QStringLiteral(" Attribute "), page);
    ReadOnlyChk =
        Check("Schreibgeschützte Dateien überschreiben / löschen", "ReadOnlyChk", attributes);
    HiddenChk = Check("Versteckte Dateien finden / überschreiben", "HiddenChk", attributes);
    SystemChk = Check("Systemdateien finden / überschreiben", "SystemChk", attributes);
    auto* attributeLayout = new QVBoxLayout(attributes);
    attributeLayout->addWidget(ReadOnlyChk);
    attributeLayout->addWidget(HiddenChk);
    attributeLayout->addWidget(SystemChk);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(touch);
    layout->addWidget(attributes);
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsDlg::BuildDirectoriesPage()
{
    auto* page = new QWidget;
    ShortenPathsChk = Check("Pfade so weit wie möglich kürzen", "ShortenPathsChk", page);
    CreateSrcDirsChk =
        Named(new QCheckBox(QStringLiteral("In der Quelle"), page), "CreateSrcDirsChk",
              QStringLiteral("Verzeichnisse erstellen, wenn nötig: In der Quelle"));
    CreateDestDirsChk = Named(new QCheckBox(QStringLiteral("Im Ziel"), page), "CreateDestDirsChk",
                              QStringLiteral("Verzeichnisse erstellen, wenn nötig: Im Ziel"));
    DeleteEmptySrcDirsChk =
        Named(new QCheckBox(QStringLiteral("In der Quelle"), page), "DeleteEmptySrcDirsChk",
              QStringLiteral("Leere Verzeichnisse löschen: In der Quelle"));
    DeleteEmptyDestDirsChk =
        Named(new QCheckBox(QStringLiteral("Im Ziel"), page), "DeleteEmptyDestDirsChk",
              QStringLiteral("Leere Verzeichnisse löschen: Im Ziel"));
    CreateAllSrcDirsChk =
        Named(new QCheckBox(QStringLiteral("In der Quelle"), page), "CreateAllSrcDirsChk",
              QStringLiteral("Alle Verzeichnisse erstellen: In der Quelle"));
    CreateAllDestDirsChk =
        Named(new QCheckBox(QStringLiteral("Im Ziel"), page), "CreateAllDestDirsChk",
              QStringLiteral("Alle Verzeichnisse erstellen: Im Ziel"));
    TransferDirPropertiesChk =
        Check("Verzeichniseigenschaften übertragen", "TransferDirPropertiesChk", page);

    auto* grid = new QGridLayout(page);
    grid->addWidget(ShortenPathsChk, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Verzeichnisse erstellen, wenn nötig:"), page), 1, 0);
    grid->addWidget(CreateSrcDirsChk, 1, 1);
    grid->addWidget(CreateDestDirsChk, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Leere Verzeichnisse löschen:"), page), 2, 0);
    grid->addWidget(DeleteEmptySrcDirsChk, 2, 1);
    grid->addWidget(DeleteEmptyDestDirsChk, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Alle Verzeichnisse erstellen:"), page), 3, 0);
    grid->addWidget(CreateAllSrcDirsChk, 3, 1);
    grid->addWidget(CreateAllDestDirsChk, 3, 2);
    grid->addWidget(TransferDirPropertiesChk, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* TOptionsDlg::BuildAgePage()
{
    auto* page = new QWidget;
    NoLimitRbt = Radio("Keine Grenze", "NoLimitRbt", page);
    RelativeRbt = Radio("Nicht mehr als", "RelativeRbt", page);
    AbsoluteRbt = Radio("Seit", "AbsoluteRbt", page);
    LastRunRbt = Radio("Seit dem letzten Lauf am", "LastRunRbt", page);
    ageGroup_ = new QButtonGroup(this);
    ageGroup_->addButton(NoLimitRbt, 0);
    ageGroup_->addButton(RelativeRbt, 1);
    ageGroup_->addButton(AbsoluteRbt, 2);
    ageGroup_->addButton(LastRunRbt, 3);
    RelativeAgeSpn = Named(new QSpinBox(page), "RelativeAgeSpn", QStringLiteral("Tage"));
    RelativeAgeSpn->setRange(0, 999);
    DayUnitLbl = Named(new QLabel(QStringLiteral("Tage alt"), page), "DayUnitLbl");
    RelativeDateLbl = Named(new QLabel(page), "RelativeDateLbl", QStringLiteral("Datum"));
    AbsoluteDateBtn = Named(new QPushButton(QStringLiteral("..."), page), "AbsoluteDateBtn",
                            QStringLiteral("Datum wählen"));
    AbsoluteDateBtn->setToolTip(QStringLiteral("Datum wählen"));
    AbsoluteDateLbl = Named(new QLabel(page), "AbsoluteDateLbl", QStringLiteral("Datum"));
    LastRunLbl = Named(new QLabel(page), "LastRunLbl", QStringLiteral("Letzter Lauf"));
    ReverseAgeChk = Check("Alter umdrehen", "ReverseAgeChk", page);

    auto* grid = new QGridLayout(page);
    grid->addWidget(NoLimitRbt, 0, 0);
    grid->addWidget(RelativeRbt, 1, 0);
    grid->addWidget(RelativeAgeSpn, 1, 1);
    grid->addWidget(DayUnitLbl, 1, 2);
    grid->addWidget(RelativeDateLbl, 1, 3);
    grid->addWidget(AbsoluteRbt, 2, 0);
    grid->addWidget(AbsoluteDateBtn, 2, 1);
    grid->addWidget(AbsoluteDateLbl, 2, 2, 1, 2);
    grid->addWidget(LastRunRbt, 3, 0);
    grid->addWidget(LastRunLbl, 3, 1, 1, 3);
    grid->addWidget(ReverseAgeChk, 4, 0, 1, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);

    connect(ageGroup_, &QButtonGroup::idClicked, this, &TOptionsDlg::ApplyAgeRules);
    connect(ReverseAgeChk, &QCheckBox::toggled, this, &TOptionsDlg::ApplyAgeCaptions);
    connect(RelativeAgeSpn, &QSpinBox::valueChanged, this, &TOptionsDlg::RelativeAgeChanged);
    connect(AbsoluteDateBtn, &QPushButton::clicked, this, &TOptionsDlg::ChooseAbsoluteDate);
    return page;
}

QWidget* TOptionsDlg::BuildOrphansPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    DestOnlyLbl = Named(new QLabel(QStringLiteral("Nur Ziel anrühren"), page), "DestOnlyLbl");
    BothLbl = Named(new QLabel(QStringLiteral("Ziel und Quelle anrühren"), page), "BothLbl");
    SrcOnlyLbl = Named(new QLabel(QStringLiteral("Nur Quelle anrühren"), page), "SrcOnlyLbl");
    DestOnlySrcLbl = Named(new QLabel(QStringLiteral("Quelle"), page), "DestOnlySrcLbl");
    DestOnlyDestLbl = Named(new QLabel(QStringLiteral("Ziel"), page), "DestOnlyDestLbl");
    SrcOnlyDestLbl = Named(new QLabel(QStringLiteral("Ziel"), page), "SrcOnlyDestLbl");
    SrcOnlySrcLbl = Named(new QLabel(QStringLiteral("Quelle"), page), "SrcOnlySrcLbl");
    OrphanD1Cbo = MakeOrphanCombo(OrphanCombo::D1, "OrphanD1Cbo",
                                  QStringLiteral("Nur Ziel anrühren: Quelle"), page);
    OrphanD2Cbo = MakeOrphanCombo(OrphanCombo::D2, "OrphanD2Cbo",
                                  QStringLiteral("Nur Ziel anrühren: Ziel"), page);
    OrphanBCbo = MakeOrphanCombo(OrphanCombo::B, "OrphanBCbo",
                                 QStringLiteral("Ziel und Quelle anrühren"), page);
    OrphanS1Cbo = MakeOrphanCombo(OrphanCombo::S1, "OrphanS1Cbo",
                                  QStringLiteral("Nur Quelle anrühren: Ziel"), page);
    OrphanS2Cbo = MakeOrphanCombo(OrphanCombo::S2, "OrphanS2Cbo",
                                  QStringLiteral("Nur Quelle anrühren: Quelle"), page);
    grid->addWidget(new QLabel(QStringLiteral("Dateien, die nur auf einer Seite stehen:"), page), 0,
                    0, 1, 2);
    grid->addWidget(DestOnlyLbl, 1, 0, 1, 2);
    grid->addWidget(DestOnlySrcLbl, 2, 0);
    grid->addWidget(OrphanD1Cbo, 2, 1);
    grid->addWidget(DestOnlyDestLbl, 3, 0);
    grid->addWidget(OrphanD2Cbo, 3, 1);
    grid->addWidget(BothLbl, 4, 0, 1, 2);
    grid->addWidget(OrphanBCbo, 5, 1);
    grid->addWidget(SrcOnlyLbl, 6, 0, 1, 2);
    grid->addWidget(SrcOnlyDestLbl, 7, 0);
    grid->addWidget(OrphanS1Cbo, 7, 1);
    grid->addWidget(SrcOnlySrcLbl, 8, 0);
    grid->addWidget(OrphanS2Cbo, 8, 1);
    ListSkipChk = Check("Zu überspringende Dateien listen", "ListSkipChk", page);
    EnforceBackwardChk = Check("Löschen beim Erzwingen", "EnforceBackwardChk", page);
    grid->addWidget(ListSkipChk, 9, 0, 1, 2);
    grid->addWidget(EnforceBackwardChk, 10, 0, 1, 2);
    grid->setRowStretch(11, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* TOptionsDlg::BuildSortingPage()
{
    static const char* const kCaptions[6] = {
        "Nach Pfad",  "Nach Namen",           "Nach Typ",
        "Nach Größe", "Nach Datum / Uhrzeit", "Nach Kategorie"};
    static const char* const kNames[6] = {"SortPathRbt", "SortNameRbt", "SortTypeRbt",
                                          "SortSizeRbt", "SortDateRbt", "SortCategoryRbt"};
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    sortGroup_ = new QButtonGroup(this);
    for (int mode = 0; mode < 6; ++mode) {
        SortingRbt[mode] = Radio(kCaptions[mode], kNames[mode], page);
        sortGroup_->addButton(SortingRbt[mode], mode);
        grid->addWidget(SortingRbt[mode], mode, 0);
    }
    ReverseOrderChk = Check("Umgekehrte Reihenfolge", "ReverseOrderChk", page);
    grid->addWidget(ReverseOrderChk, 6, 0);
    AscendingImg = Named(new QLabel(QStringLiteral("A\n↓\nZ"), page), "AscendingImg",
                         QStringLiteral("Aufsteigend"));
    DescendingImg = Named(new QLabel(QStringLiteral("Z\n↓\nA"), page), "DescendingImg",
                          QStringLiteral("Absteigend"));
    for (QLabel* picture : {AscendingImg, DescendingImg}) {
        picture->setAlignment(Qt::AlignCenter);
        picture->setFrameShape(QFrame::Box);
        picture->setMinimumWidth(40);
        grid->addWidget(picture, 0, 1, 6, 1);
    }
    grid->setRowStretch(7, 1);
    connect(ReverseOrderChk, &QCheckBox::toggled, this, &TOptionsDlg::ApplySortingPicture);
    return page;
}

QWidget* TOptionsDlg::BuildChecksPage()
{
    auto* page = new QWidget;
    MidnightChk = Check("Von Mitternacht bis", "MidnightChk", page);
    MidnightSpn = Named(new QSpinBox(page), "MidnightSpn", QStringLiteral("Stunde"));
    MidnightSpn->setRange(kMidnightMin, kMidnightMax);
    MidnightSpn->setValue(kMidnightDefault);
    ShowOverviewChk = Check("Übersicht zeigen", "ShowOverviewChk", page);
    OverviewBtn = Named(new QPushButton(QStringLiteral("Übersicht..."), page), "OverviewBtn");
    CheckSizesChk = Check("Größen kontrollieren mit Faktor", "CheckSizesChk", page);
    CheckSizesSpn = Named(new QSpinBox(page), "CheckSizesSpn", QStringLiteral("Faktor"));
    CheckSizesSpn->setRange(kCheckSizesMin, kCheckSizesMax);
    CheckSizesSpn->setValue(kCheckSizesDefault);
    ComparePropertiesChk = Check("Dateieigenschaften vergleichen", "ComparePropertiesChk", page);
    VerifyChk = Check("Dateien hinterher vergleichen (Verify)", "VerifyChk", page);

    auto* grid = new QGridLayout(page);
    grid->addWidget(MidnightChk, 0, 0);
    grid->addWidget(MidnightSpn, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Uhr nachfragen"), page), 0, 2);
    grid->addWidget(ShowOverviewChk, 1, 0);
    grid->addWidget(OverviewBtn, 1, 1, 1, 2);
    grid->addWidget(CheckSizesChk, 2, 0);
    grid->addWidget(CheckSizesSpn, 2, 1);
    grid->addWidget(ComparePropertiesChk, 3, 0, 1, 3);
    grid->addWidget(VerifyChk, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);
    connect(OverviewBtn, &QPushButton::clicked, this, &TOptionsDlg::OpenOverview);
    return page;
}

QWidget* TOptionsDlg::BuildWarningsPage()
{
    auto* page = new QWidget;
    WarningsBox = Named(new TWarningsBox(page), "WarningsBox", QStringLiteral("Warnungen"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WarningsBox);
    layout->addStretch(1);
    return page;
}

QWidget* TOptionsDlg::BuildAutomationPage()
{
    auto* page = new QWidget;
    AutoOpenChk = Check("Nach Öffnen laufen", "AutoOpenChk", page);
    AutoAppChk = Check("Laufen, wenn diese Anwendung beendet wird:", "AutoAppChk", page);
    AppNameCbo = Named(new QComboBox(page), "AppNameCbo", QStringLiteral("Anwendung"));
    AppNameCbo->setEditable(true);
    AppPickBtn = Named(new QPushButton(QStringLiteral("..."), page), "AppPickBtn",
                       QStringLiteral("Aus laufenden Anwendungen wählen"));
    AppPickBtn->setToolTip(QStringLiteral("Aus laufenden Anwendungen wählen"));
    AutoSenseChk = Check("Laufen, wenn Quelle und Ziel verfügbar sind", "AutoSenseChk", page);
    AutoHookChk = Check("Ins Herunterfahren des Systems einklinken", "AutoHookChk", page);
    AutoBeepChk = Check("Nach Lauf piepsen", "AutoBeepChk", page);
    AutoExitChk = Check("Nach Lauf Verdal beenden", "AutoExitChk", page);
    AutoShutdownCbo = Named(new QComboBox(page), "AutoShutdownCbo");
    for (const std::string& text : ShutdownItemTexts()) {
        AutoShutdownCbo->addItem(Q(text));
    }
    SchedulerBtn = Named(new QPushButton(QStringLiteral("Zeitplaner..."), page), "SchedulerBtn");
    ShortcutBtn = Named(new QPushButton(QStringLiteral("Verknüpfung..."), page), "ShortcutBtn");

    auto* grid = new QGridLayout(page);
    grid->addWidget(AutoOpenChk, 0, 0, 1, 3);
    grid->addWidget(AutoAppChk, 1, 0, 1, 3);
    grid->addWidget(AppNameCbo, 2, 0, 1, 2);
    grid->addWidget(AppPickBtn, 2, 2);
    grid->addWidget(AutoSenseChk, 3, 0, 1, 3);
    grid->addWidget(AutoHookChk, 4, 0, 1, 3);
    grid->addWidget(AutoBeepChk, 5, 0, 1, 3);
    grid->addWidget(AutoExitChk, 6, 0, 1, 3);
    grid->addWidget(
        BuddyLabel(QStringLiteral("Nach Lauf das System beenden:"), AutoShutdownCbo, page), 7, 0);
    grid->addWidget(AutoShutdownCbo, 7, 1, 1, 2);
    grid->addWidget(SchedulerBtn, 8, 0);
    grid->addWidget(ShortcutBtn, 8, 1);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(1, 1);
    connect(AutoAppChk, &QCheckBox::toggled, this, &TOptionsDlg::ApplyApplicationRule);
    connect(AppPickBtn, &QPushButton::clicked, this, &TOptionsDlg::PickApplicationClicked);
    connect(SchedulerBtn, &QPushButton::clicked, this, &TOptionsDlg::OpenScheduler);
    connect(ShortcutBtn, &QPushButton::clicked, this, &TOptionsDlg::ShortcutClicked);
    return page;
}

QWidget* TOptionsDlg::BuildMiscPage()
{
    auto* page = new QWidget;
    auto* drives = new QGroupBox(QStringLiteral(" Laufwerks-Listen "), page);
    BrowseNetworkChk = Check("Netzwerk automatisch durchsuchen", "BrowseNetworkChk", drives);
    DiskInfoChk = Check("Datenträger-Information zeigen", "DiskInfoChk", drives);
    auto* driveLayout = new QVBoxLayout(drives);
    driveLayout->addWidget(BrowseNetworkChk);
    driveLayout->addWidget(DiskInfoChk);

    auto* stamps = new QGroupBox(QStringLiteral(" Datum-Zeit-Stempel "), page);
    TimeDifferenceSpn = Named(new QSpinBox(stamps), "TimeDifferenceSpn");
    TimeDifferenceSpn->setRange(0, 999);
    IgnoreDSTChk = Check("Sommerzeit ignorieren", "IgnoreDSTChk", stamps);
    UseUTCChk = Check("UTC-Zeit benutzen", "UseUTCChk", stamps);
    auto* stampLayout = new QGridLayout(stamps);
    stampLayout->addWidget(BuddyLabel(QStringLiteral("Maximale Zeitdifferenz in Sekunden:"),
                                      TimeDifferenceSpn, stamps),
                           0, 0);
    stampLayout->addWidget(TimeDifferenceSpn, 0, 1);
    stampLayout->addWidget(IgnoreDSTChk, 1, 0, 1, 2);
    stampLayout->addWidget(UseUTCChk, 2, 0, 1, 2);

    MyCopyChk = Check("Eigene Kopierroutine benutzen", "MyCopyChk", page);
    TransferPermissionsChk =
        Check("Dateiberechtigungen übertragen", "TransferPermissionsChk", page);
    TransferOwnerChk = Check("Dateibesitzer übertragen", "TransferOwnerChk", page);
    RecycleChk = Check("Dateien in den Papierkorb löschen", "RecycleChk", page);
    TrayIconChk = Check("In die Systemablage verkleinern", "TrayIconChk", page);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(drives);
    layout->addWidget(stamps);
    for (QCheckBox* box :
         {MyCopyChk, TransferPermissionsChk, TransferOwnerChk, RecycleChk, TrayIconChk}) {
        layout->addWidget(box);
    }
    layout->addStretch(1);
    return page;
}

void TOptionsDlg::LoadFrom(const cParameters& params)
{
    ApplyHintOption(this, params.Programm.Tooltips);
    LoadOptions(params);
    LastRunLbl->setText(Q(FormatDateTime("ddd ddddd  tt", FileTimeToDateTime(params.LastUpdate))));
    ShortcutBtn->setEnabled(!params.Untitled && static_cast<bool>(CreateShortcut));
    ShowPage(params.NotebookPage);
}

void TOptionsDlg::SaveTo(cParameters& params) const
{
    StoreOptions(params);
    params.NotebookPage = CurrentPage();
    params.Modified = true;
}

void TOptionsDlg::LoadOptions(const cParameters& p)
{
    touchGroup_->button(static_cast<int>(TouchModeOf(p.TouchSrc, p.TouchDest)))->setChecked(true);
    ReadOnlyChk->setChecked(p.Attributes & 1);
    HiddenChk->setChecked(p.Attributes & 2);
    SystemChk->setChecked(p.Attributes & 4);

    ShortenPathsChk->setChecked(p.ShortenPaths);
    CreateSrcDirsChk->setChecked(p.CreateSrcDirs);
    CreateDestDirsChk->setChecked(p.CreateDestDirs);
    DeleteEmptySrcDirsChk->setChecked(p.DeleteEmptySrcDirs);
    DeleteEmptyDestDirsChk->setChecked(p.DeleteEmptyDestDirs);
    CreateAllSrcDirsChk->setChecked(p.CreateAllSrcDirs);
    CreateAllDestDirsChk->setChecked(p.CreateAllDestDirs);
    TransferDirPropertiesChk->setChecked(p.TransferDirProperties);

    // The day count selects "Nicht mehr als" when it changes, so it goes in before the kind.
    RelativeAgeSpn->setValue(std::clamp(p.RelativeAge, 0, 999));
    RelativeAgeChanged();
    absoluteAge_ = p.AbsoluteAge;
    AbsoluteDateLbl->setText(DayText(absoluteAge_));
    ageGroup_->button(AgeKindOf(p.AgeMode))->setChecked(true);
    ReverseAgeChk->setChecked(AgeReversedOf(p.AgeMode));

    OrphanD1Cbo->setCurrentIndex(OrphanIndexOfCode(OrphanCombo::D1, p.OrphanModeD1));
    OrphanD2Cbo->setCurrentIndex(OrphanIndexOfCode(OrphanCombo::D2, p.OrphanModeD2));
    OrphanBCbo->setCurrentIndex(OrphanIndexOfCode(OrphanCombo::B, p.OrphanModeB));
    OrphanS1Cbo->setCurrentIndex(OrphanIndexOfCode(OrphanCombo::S1, p.OrphanModeS1));
    OrphanS2Cbo->setCurrentIndex(OrphanIndexOfCode(OrphanCombo::S2, p.OrphanModeS2));
    ListSkipChk->setChecked(p.ListSkip);
    EnforceBackwardChk->setChecked(p.EnforceBackward);

    SortingRbt[std::min<int>(p.SortingMode, 5)]->setChecked(true);
    ReverseOrderChk->setChecked(p.ReverseOrder);

    const CheckedNumber midnight = CheckedNumberOf(p.MidnightHours, kMidnightDefault);
    MidnightChk->setChecked(midnight.Checked);
    MidnightSpn->setValue(midnight.Number);
    ShowOverviewChk->setChecked(p.ShowOverview);
    const CheckedNumber sizes = CheckedNumberOf(p.CheckSizes, kCheckSizesDefault);
    CheckSizesChk->setChecked(sizes.Checked);
    CheckSizesSpn->setValue(sizes.Number);
    ComparePropertiesChk->setChecked(p.CompareProperties);
    VerifyChk->setChecked(p.Verify);

    WarningsBox->SetFlags(p.Warnings);

    AutoOpenChk->setChecked(p.AutoOpen);
    AutoAppChk->setChecked(p.AutoApp);
    FillApplications(Q(p.AppName));
    AutoSenseChk->setChecked(p.AutoSense);
    AutoHookChk->setChecked(p.AutoHook);
    AutoBeepChk->setChecked(p.AutoBeep);
    AutoExitChk->setChecked(p.AutoExit);
    AutoShutdownCbo->setCurrentIndex(std::clamp(p.AutoShutdown, 0, 4));

    BrowseNetworkChk->setChecked(p.BrowseNetwork);
    DiskInfoChk->setChecked(p.DiskInfo);
    TimeDifferenceSpn->setValue(std::clamp(p.TimeDifference, 0, 999));
    IgnoreDSTChk->setChecked(p.IgnoreDST);
    UseUTCChk->setChecked(p.UseUTC);
    MyCopyChk->setChecked(p.MyCopy);
    TransferPermissionsChk->setChecked(p.TransferPermissions);
    TransferOwnerChk->setChecked(p.TransferOwner);
    RecycleChk->setChecked(p.Recycle);
    TrayIconChk->setChecked(p.TrayIcon);

    ApplyTouchRule();
    ApplyAgeRules();
    ApplyAgeCaptions();
    ApplySortingPicture();
    ApplyApplicationRule();
}

void TOptionsDlg::StoreOptions(cParameters& p) const
{
    const auto [touchSrc, touchDest] =
        TouchFlagsOf(static_cast<TouchMode>(touchGroup_->checkedId()));
    p.TouchSrc = touchSrc;
    p.TouchDest = touchDest;
    p.Attributes = (ReadOnlyChk->isChecked() ? 1 : 0) | (HiddenChk->isChecked() ? 2 : 0) |
                   (SystemChk->isChecked() ? 4 : 0);

    p.ShortenPaths = ShortenPathsChk->isChecked();
    p.CreateSrcDirs = CreateSrcDirsChk->isChecked();
    p.CreateDestDirs = CreateDestDirsChk->isChecked();
    p.DeleteEmptySrcDirs = DeleteEmptySrcDirsChk->isChecked();
    p.DeleteEmptyDestDirs = DeleteEmptyDestDirsChk->isChecked();
    p.CreateAllSrcDirs = CreateAllSrcDirsChk->isChecked();
    p.CreateAllDestDirs = CreateAllDestDirsChk->isChecked();
    p.TransferDirProperties = TransferDirPropertiesChk->isChecked();

    p.AgeMode = AgeModeOf(ageGroup_->checkedId(), ReverseAgeChk->isChecked());
    p.RelativeAge = RelativeAgeSpn->value();
    p.AbsoluteAge = absoluteAge_;

    p.OrphanModeD1 =
        static_cast<uint8_t>(OrphanCodeOfIndex(OrphanCombo::D1, OrphanD1Cbo->currentIndex()));
    p.OrphanModeD2 =
        static_cast<uint8_t>(OrphanCodeOfIndex(OrphanCombo::D2, OrphanD2Cbo->currentIndex()));
    p.OrphanModeB =
        static_cast<uint8_t>(OrphanCodeOfIndex(OrphanCombo::B, OrphanBCbo->currentIndex()));
    p.OrphanModeS1 =
        static_cast<uint8_t>(OrphanCodeOfIndex(OrphanCombo::S1, OrphanS1Cbo->currentIndex()));
    p.OrphanModeS2 =
        static_cast<uint8_t>(OrphanCodeOfIndex(OrphanCombo::S2, OrphanS2Cbo->currentIndex()));
    p.ListSkip = ListSkipChk->isChecked();
    p.EnforceBackward = EnforceBackwardChk->isChecked();

    p.SortingMode = static_cast<uint8_t>(std::max(0, sortGroup_->checkedId()));
    p.ReverseOrder = ReverseOrderChk->isChecked();

    p.MidnightHours = StoredCheckedNumber(MidnightChk->isChecked(), MidnightSpn->value());
    p.ShowOverview = ShowOverviewChk->isChecked();
    p.CheckSizes = StoredCheckedNumber(CheckSizesChk->isChecked(), CheckSizesSpn->value());
    p.CompareProperties = ComparePropertiesChk->isChecked();
    p.Verify = VerifyChk->isChecked();

    p.Warnings = WarningsBox->Flags();

    p.AutoOpen = AutoOpenChk->isChecked();
    p.AutoApp = AutoAppChk->isChecked();
    p.AppName = AppNameCbo->currentText().trimmed().toStdString();
    p.AutoSense = AutoSenseChk->isChecked();
    p.AutoHook = AutoHookChk->isChecked();
    p.AutoBeep = AutoBeepChk->isChecked();
    p.AutoExit = AutoExitChk->isChecked();
    p.AutoShutdown = AutoShutdownCbo->currentIndex();

    p.BrowseNetwork = BrowseNetworkChk->isChecked();
    p.DiskInfo = DiskInfoChk->isChecked();
    p.TimeDifference = TimeDifferenceSpn->value();
    p.IgnoreDST = IgnoreDSTChk->isChecked();
    p.UseUTC = UseUTCChk->isChecked();
    p.MyCopy = MyCopyChk->isChecked();
    p.TransferPermissions = TransferPermissionsChk->isChecked();
    p.TransferOwner = TransferOwnerChk->isChecked();
    p.Recycle = RecycleChk->isChecked();
    p.TrayIcon = TrayIconChk->isChecked();
}

void TOptionsDlg::ShowPage(int page)
{
    if (page >= 0 && page < kPageCount) {
        Notebook->setCurrentIndex(page);
    }
}

int TOptionsDlg::CurrentPage() const
{
    return Notebook->currentIndex();
}

int TOptionsDlg::HelpContext() const
{
    return 4300 + CurrentPage();
}

void TOptionsDlg::SetDocument(cParameters* document)
{
    document_ = document;
    OverviewBtn->setEnabled(document_ != nullptr);
    SchedulerBtn->setEnabled(document_ != nullptr);
}

void TOptionsDlg::ApplyTouchRule()
{
    const auto mode = static_cast<TouchMode>(touchGroup_->checkedId());
    const bool destOnly = OrphanColumnEnabled(mode, 0);
    const bool both = OrphanColumnEnabled(mode, 1);
    const bool srcOnly = OrphanColumnEnabled(mode, 2);
    for (QWidget* w : {static_cast<QWidget*>(DestOnlyLbl), static_cast<QWidget*>(DestOnlySrcLbl),
                       static_cast<QWidget*>(DestOnlyDestLbl), static_cast<QWidget*>(OrphanD1Cbo),
                       static_cast<QWidget*>(OrphanD2Cbo)}) {
        w->setEnabled(destOnly);
    }
    BothLbl->setEnabled(both);
    OrphanBCbo->setEnabled(both);
    for (QWidget* w : {static_cast<QWidget*>(SrcOnlyLbl), static_cast<QWidget*>(SrcOnlyDestLbl),
                       static_cast<QWidget*>(SrcOnlySrcLbl), static_cast<QWidget*>(OrphanS1Cbo),
                       static_cast<QWidget*>(OrphanS2Cbo)}) {
        w->setEnabled(srcOnly);
    }
}

void TOptionsDlg::ApplyAgeRules()
{
    const bool enabled = AgeReverseEnabled(ageGroup_->checkedId());
    if (!enabled) {
        ReverseAgeChk->setChecked(false);
    }
    ReverseAgeChk->setEnabled(enabled);
}

void TOptionsDlg::ApplyAgeCaptions()
{
    const AgeCaptions captions = AgeCaptionsOf(ReverseAgeChk->isChecked());
    RelativeRbt->setText(Q(captions.Relative));
    AbsoluteRbt->setText(Q(captions.Absolute));
    LastRunRbt->setText(Q(captions.LastRun));
    const int days = RelativeAgeSpn->value();
    RelativeDateLbl->setText(Q(captions.DatePrefix) + DayText(Today() - days) +
                             QStringLiteral(")"));
}

void TOptionsDlg::RelativeAgeChanged()
{
    DayUnitLbl->setText(Q(DayUnitText(RelativeAgeSpn->value())));
    ApplyAgeCaptions();
    RelativeRbt->setChecked(true);
    ApplyAgeRules();
}

void TOptionsDlg::ChooseAbsoluteDate()
{
    TDateDlg dialog(this);
    dialog.SetDate(absoluteAge_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    absoluteAge_ = static_cast<int>(std::floor(dialog.Date()));
    AbsoluteDateLbl->setText(DayText(absoluteAge_));
    AbsoluteRbt->setChecked(true);
    ApplyAgeRules();
}

void TOptionsDlg::ApplySortingPicture()
{
    const bool descending = ReverseOrderChk->isChecked();
    DescendingImg->setVisible(descending);
    AscendingImg->setVisible(!descending);
}

void TOptionsDlg::FillApplications(const QString& appName)
{
    AppNameCbo->clear();
    for (const std::string& name : ApplicationChoices(appName.toStdString())) {
        AppNameCbo->addItem(Q(name));
    }
    AppNameCbo->setCurrentIndex(AppNameCbo->findText(appName));
    if (appName.isEmpty()) {
        AppNameCbo->setEditText(QString());
    }
}

void TOptionsDlg::ApplyApplicationRule()
{
    const bool enabled = AutoAppChk->isChecked();
    AppNameCbo->setEnabled(enabled);
    AppPickBtn->setEnabled(enabled);
}

void TOptionsDlg::ReadDefaults()
{
    cParameters defaults;
    defaults.ReadOptions(1);
    LoadOptions(defaults);
}

void TOptionsDlg::WriteDefaults()
{
    cParameters defaults;
    defaults.ReadOptions(1);
    StoreOptions(defaults);
    defaults.NotebookPage = CurrentPage();
    defaults.WriteOptions(1);
}

void TOptionsDlg::OpenOverview()
{
    if (document_ != nullptr) {
        TOverviewDlg::Open(this, *document_, -1);
    }
}

void TOptionsDlg::OpenScheduler()
{
    if (document_ != nullptr) {
        TSchedulerDlg::Open(this, *document_, -1);
    }
}

void TOptionsDlg::PickApplicationClicked()
{
    if (!PickApplication) {
        return;
    }
    const QString chosen = PickApplication(this, AppNameCbo->currentText());
    if (!chosen.isEmpty()) {
        FillApplications(chosen);
    }
}

void TOptionsDlg::ShortcutClicked()
{
    if (CreateShortcut) {
        CreateShortcut(this);
    }
}

bool TOptionsDlg::Open(QWidget* parent, cParameters& params, int page)
{
    TOptionsDlg dialog(parent);
    dialog.SetDocument(&params);
    dialog.LoadFrom(params);
    dialog.ShowPage(page);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.SaveTo(params);
    return true;
}

}  // namespace verdal
