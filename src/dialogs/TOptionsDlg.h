#pragma once

#include <array>
#include <functional>

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace verdal {

class cParameters;
class TWarningsBox;

// "Optionen": the behavioural options of the open profile on nine pages. "Lesen" and
// "Schreiben" move the dialog's values from and to the program-wide defaults of the options
// file; neither touches the open profile.
class TOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    enum Page {
        kPageRange,
        kPageDirectories,
        kPageAge,
        kPageOrphans,
        kPageSorting,
        kPageChecks,
        kPageWarnings,
        kPageAutomation,
        kPageMisc,
        kPageCount
    };

    explicit TOptionsDlg(QWidget* parent = nullptr);

    // Copies the profile's options in and shows page NotebookPage.
    void LoadFrom(const cParameters& params);
    // Copies the options back (NotebookPage = the page shown) and marks the profile modified.
    void SaveTo(cParameters& params) const;
    // Shows a page other than the stored one (asked for by the main window's tree).
    void ShowPage(int page);
    int CurrentPage() const;

    // The document the sub-dialogs ("Übersicht...", "Zeitplaner...") edit directly; their OK
    // takes effect at once, whatever this dialog ends with. Null disables those buttons.
    void SetDocument(cParameters* document);
    // Hooks for dialogs of the main window: the application picker gets the current
    // application text and returns the chosen one (empty = cancelled); the shortcut dialog.
    std::function<QString(QWidget*, const QString&)> PickApplication;
    std::function<void(QWidget*)> CreateShortcut;

    // Opens the dialog modally on `page` (-1: the stored page); OK stores into `params`.
    static bool Open(QWidget* parent, cParameters& params, int page);

    // Help topic of the page shown ("Hilfe" opens it).
    int HelpContext() const;

private:
    QWidget* BuildRangePage();
    QWidget* BuildDirectoriesPage();
    QWidget* BuildAgePage();
    QWidget* BuildOrphansPage();
    QWidget* BuildSortingPage();
    QWidget* BuildChecksPage();
    QWidget* BuildWarningsPage();
    QWidget* BuildAutomationPage();
    QWidget* BuildMiscPage();

    // The option fields only, as "Lesen" and "Schreiben" move them.
    void LoadOptions(const cParameters& params);
    void StoreOptions(cParameters& params) const;

    void ApplyTouchRule();
    void ApplyAgeRules();
    void ApplyAgeCaptions();
    void RelativeAgeChanged();
    void ChooseAbsoluteDate();
    void ApplySortingPicture();
    void ApplyApplicationRule();
    void FillApplications(const QString& appName);
    void ReadDefaults();
    void WriteDefaults();
    void OpenOverview();
    void OpenScheduler();
    void PickApplicationClicked();
    void ShortcutClicked();

public:
    QTabWidget* Notebook;
    // "Bereich"
    QRadioButton *DestOnlyRbt, *BothRbt, *SrcOnlyRbt;
    QCheckBox *ReadOnlyChk, *HiddenChk, *SystemChk;
    // "Verzeichnisse"
    QCheckBox *ShortenPathsChk, *CreateSrcDirsChk, *CreateDestDirsChk, *DeleteEmptySrcDirsChk,
        *DeleteEmptyDestDirsChk, *CreateAllSrcDirsChk, *CreateAllDestDirsChk,
        *TransferDirPropertiesChk;
    // "Alter"
    QRadioButton *NoLimitRbt, *RelativeRbt, *AbsoluteRbt, *LastRunRbt;
    QCheckBox* ReverseAgeChk;
    QSpinBox* RelativeAgeSpn;
    QLabel *DayUnitLbl, *RelativeDateLbl, *AbsoluteDateLbl, *LastRunLbl;
    QPushButton* AbsoluteDateBtn;
    // "Waisen"
    QLabel *DestOnlyLbl, *DestOnlySrcLbl, *DestOnlyDestLbl, *BothLbl, *SrcOnlyLbl, *SrcOnlyDestLbl,
        *SrcOnlySrcLbl;
    QComboBox *OrphanD1Cbo, *OrphanD2Cbo, *OrphanBCbo, *OrphanS1Cbo, *OrphanS2Cbo;
    QCheckBox *ListSkipChk, *EnforceBackwardChk;
    // "Sortierung"
    std::array<QRadioButton*, 6> SortingRbt{};
    QCheckBox* ReverseOrderChk;
    QLabel *AscendingImg, *DescendingImg;
    // "Kontrollen"
    QCheckBox* MidnightChk;
    QSpinBox* MidnightSpn;
    QCheckBox* ShowOverviewChk;
    QPushButton* OverviewBtn;
    QCheckBox* CheckSizesChk;
    QSpinBox* CheckSizesSpn;
    QCheckBox *ComparePropertiesChk, *VerifyChk;
    // "Warnungen"
    TWarningsBox* WarningsBox;
    // "Automatik"
    QCheckBox *AutoOpenChk, *AutoAppChk;
    QComboBox* AppNameCbo;
    QPushButton* AppPickBtn;
    QCheckBox *AutoSenseChk, *AutoHookChk, *AutoBeepChk, *AutoExitChk;
    QComboBox* AutoShutdownCbo;
    QPushButton *SchedulerBtn, *ShortcutBtn;
    // "Verschied."
    QCheckBox *BrowseNetworkChk, *DiskInfoChk;
    QSpinBox* TimeDifferenceSpn;
    QCheckBox *IgnoreDSTChk, *UseUTCChk, *MyCopyChk, *TransferPermissionsChk, *TransferOwnerChk,
        *RecycleChk, *TrayIconChk;
    // Buttons
    QPushButton *ReadBtn, *WriteBtn, *OkBtn, *CancelBtn, *HelpBtn;

private:
    QButtonGroup *touchGroup_, *ageGroup_, *sortGroup_;
    int absoluteAge_ = 0;
    cParameters* document_ = nullptr;
};

}  // namespace verdal
