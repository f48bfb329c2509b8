#include "dialogs/TOptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "DialogTestEnvironment.h"
#include "dialogs/DialogServices.h"
#include "dialogs/TCalendar.h"
#include "dialogs/TDateDlg.h"
#include "platform/Clock.h"
#include "settings/OptionsFile.h"
#include "settings/Parameters.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class OptionsDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        SetTestNow(EncodeDateTime(2026, 12, 6, 12, 0, 0));
        params.Reset();
        dialog.LoadFrom(params);
    }
    void TearDown() override
    {
        SetTestNow(std::nullopt);
        SetOptionsFilePath({});
    }

    template <typename T>
    T* C(const char* name)
    {
        return Control<T>(&dialog, name);
    }
    cParameters Saved()
    {
        cParameters out = params;
        dialog.SaveTo(out);
        return out;
    }

    TestDir dir;
    cParameters params;
    TOptionsDlg dialog;
};

struct ComboCase
{
    const char* Name;
    uint8_t cParameters::*Field;
    std::vector<int> Codes;
};

}  // namespace

// Each item of each orphan combo stores its code, and loading the code selects the item.
TEST_F(OptionsDlgTest, OrphanCombos_StoreTheirCodesAndReadThemBack)
{
    const ComboCase cases[] = {
        {"OrphanD1Cbo", &cParameters::OrphanModeD1, {0, 1, 6}},
        {"OrphanD2Cbo", &cParameters::OrphanModeD2, {1, 2}},
        {"OrphanBCbo", &cParameters::OrphanModeB, {4, 1, 2, 5, 6}},
        {"OrphanS1Cbo", &cParameters::OrphanModeS1, {3, 1, 6}},
        {"OrphanS2Cbo", &cParameters::OrphanModeS2, {1, 2}},
    };
    for (const ComboCase& c : cases) {
        auto* combo = C<QComboBox>(c.Name);
        ASSERT_EQ(combo->count(), static_cast<int>(c.Codes.size())) << c.Name;
        for (int index = 0; index < combo->count(); ++index) {
            combo->setCurrentIndex(index);
            cParameters saved = Saved();
            EXPECT_EQ(saved.*c.Field, c.Codes[index]) << c.Name << " item " << index;

            TOptionsDlg reloaded;
            reloaded.LoadFrom(saved);
            EXPECT_EQ(Control<QComboBox>(&reloaded, c.Name)->currentIndex(), index) << c.Name;
        }
    }
    EXPECT_EQ(C<QComboBox>("OrphanBCbo")->itemText(3), "Im Schnappschuß nachsehen");
}

// The touch radio buttons set both flags and enable only their own orphan column.
TEST_F(OptionsDlgTest, TouchMode_StoresFlagsAndEnablesItsOrphanColumn)
{
    struct Case
    {
        const char* Button;
        bool Src, Dest;
        const char* Enabled;
    };
    const Case cases[] = {{"BothRbt", true, true, "OrphanBCbo"},
                          {"SrcOnlyRbt", true, false, "OrphanS1Cbo"},
                          {"DestOnlyRbt", false, true, "OrphanD1Cbo"}};
    const char* combos[] = {"OrphanD1Cbo", "OrphanD2Cbo", "OrphanBCbo", "OrphanS1Cbo",
                            "OrphanS2Cbo"};
    for (const Case& c : cases) {
        C<QRadioButton>(c.Button)->click();
        const cParameters saved = Saved();
        EXPECT_EQ(saved.TouchSrc, c.Src) << c.Button;
        EXPECT_EQ(saved.TouchDest, c.Dest) << c.Button;
        for (const char* combo : combos) {
            const bool sameColumn =
                std::string(combo).substr(0, 7) == std::string(c.Enabled).substr(0, 7);
            EXPECT_EQ(C<QComboBox>(combo)->isEnabled(), sameColumn) << c.Button << " " << combo;
        }
    }
    EXPECT_FALSE(C<QLabel>("BothLbl")->isEnabled());
    EXPECT_TRUE(C<QLabel>("DestOnlyLbl")->isEnabled());
}

TEST_F(OptionsDlgTest, AgeRules_ReverseOnlyWithALimit)
{
    C<QRadioButton>("LastRunRbt")->click();
    ASSERT_TRUE(C<QCheckBox>("ReverseAgeChk")->isEnabled());
    C<QCheckBox>("ReverseAgeChk")->click();
    EXPECT_EQ(Saved().AgeMode, 7);
    EXPECT_EQ(C<QRadioButton>("RelativeRbt")->text(), "Mehr als");
    EXPECT_EQ(C<QRadioButton>("AbsoluteRbt")->text(), "Vor");
    EXPECT_EQ(C<QRadioButton>("LastRunRbt")->text(), "Vor dem letzten Lauf am");
    EXPECT_TRUE(C<QLabel>("RelativeDateLbl")->text().startsWith("(Vor "));

    // "Keine Grenze" unchecks and disables the reversal: stored 0, captions restored.
    C<QRadioButton>("NoLimitRbt")->click();
    EXPECT_FALSE(C<QCheckBox>("ReverseAgeChk")->isEnabled());
    EXPECT_FALSE(C<QCheckBox>("ReverseAgeChk")->isChecked());
    EXPECT_EQ(Saved().AgeMode, 0);
    EXPECT_EQ(C<QRadioButton>("RelativeRbt")->text(), "Nicht mehr als");

    C<QRadioButton>("AbsoluteRbt")->click();
    EXPECT_EQ(Saved().AgeMode, 2);
    C<QCheckBox>("ReverseAgeChk")->click();
    EXPECT_EQ(Saved().AgeMode, 6);

    // Loading a reversed mode shows it, with the renamed captions.
    params.AgeMode = 5;
    params.RelativeAge = 4;
    dialog.LoadFrom(params);
    EXPECT_TRUE(C<QRadioButton>("RelativeRbt")->isChecked());
    EXPECT_TRUE(C<QCheckBox>("ReverseAgeChk")->isChecked());
    EXPECT_EQ(C<QRadioButton>("RelativeRbt")->text(), "Mehr als");
    EXPECT_EQ(Saved().AgeMode, 5);
}

TEST_F(OptionsDlgTest, DayCount_SetsUnitDateAndSelectsRelative)
{
    C<QRadioButton>("NoLimitRbt")->click();
    C<QSpinBox>("RelativeAgeSpn")->setValue(1);
    EXPECT_EQ(C<QLabel>("DayUnitLbl")->text(), "Tag alt");
    EXPECT_TRUE(C<QRadioButton>("RelativeRbt")->isChecked());
    EXPECT_EQ(C<QLabel>("RelativeDateLbl")->text(), "(Seit Sa 05.12.2026)");
    C<QSpinBox>("RelativeAgeSpn")->setValue(10);
    EXPECT_EQ(C<QLabel>("DayUnitLbl")->text(), "Tage alt");
    const cParameters saved = Saved();
    EXPECT_EQ(saved.AgeMode, 1);
    EXPECT_EQ(saved.RelativeAge, 10);
}

// The date button opens the picker; its OK selects "Seit" and stores the whole day.
TEST_F(OptionsDlgTest, DateButton_PicksAbsoluteAge)
{
    OnNextModal([](QWidget* modal) {
        auto* date = qobject_cast<TDateDlg*>(modal);
        ASSERT_NE(date, nullptr);
        Control<QSpinBox>(date, "YearSpn")->setValue(2025);
        Control<QSpinBox>(date, "MonthSpn")->setValue(3);
        date->Calendar->SetDay(14);
        Control<QPushButton>(date, "OkBtn")->click();
    });
    C<QPushButton>("AbsoluteDateBtn")->click();
    EXPECT_TRUE(C<QRadioButton>("AbsoluteRbt")->isChecked());
    EXPECT_EQ(C<QLabel>("AbsoluteDateLbl")->text(), "Fr 14.03.2025");
    const cParameters saved = Saved();
    EXPECT_EQ(saved.AgeMode, 2);
    EXPECT_EQ(saved.AbsoluteAge, static_cast<int>(EncodeDateTime(2025, 3, 14)));
}

// The day of the picker stays inside the month when month or year change.
TEST_F(OptionsDlgTest, DatePicker_ClampsTheDayToTheMonth)
{
    EXPECT_EQ(ClampedDay(2024, 2, 31), 29);
    EXPECT_EQ(ClampedDay(2025, 2, 31), 28);
    EXPECT_EQ(ClampedDay(2025, 4, 31), 30);
    TDateDlg date;
    date.SetDate(EncodeDateTime(2024, 1, 31));
    date.MonthSpn->setValue(2);
    EXPECT_EQ(date.Calendar->Day(), 29);
    date.YearSpn->setValue(2025);
    EXPECT_EQ(date.Calendar->Day(), 28);
    date.accept();
    EXPECT_EQ(date.Date(), EncodeDateTime(2025, 2, 28));
}

// Both numbers stored with a check box: 0 when unchecked whatever the spin shows; a stored 0
// leaves the spin at its default.
TEST_F(OptionsDlgTest, CheckedSpins_StoreZeroWhenOffAndKeepDefaults)
{
    params.CheckSizes = 0;
    params.MidnightHours = 0;
    dialog.LoadFrom(params);
    EXPECT_FALSE(C<QCheckBox>("CheckSizesChk")->isChecked());
    EXPECT_EQ(C<QSpinBox>("CheckSizesSpn")->value(), 3);
    EXPECT_FALSE(C<QCheckBox>("MidnightChk")->isChecked());
    EXPECT_EQ(C<QSpinBox>("MidnightSpn")->value(), 2);

    C<QSpinBox>("CheckSizesSpn")->setValue(7);
    C<QSpinBox>("MidnightSpn")->setValue(5);
    cParameters saved = Saved();
    EXPECT_EQ(saved.CheckSizes, 0);
    EXPECT_EQ(saved.MidnightHours, 0);

    C<QCheckBox>("CheckSizesChk")->click();
    C<QCheckBox>("MidnightChk")->click();
    saved = Saved();
    EXPECT_EQ(saved.CheckSizes, 7);
    EXPECT_EQ(saved.MidnightHours, 5);

    EXPECT_EQ(C<QSpinBox>("CheckSizesSpn")->minimum(), 2);
    EXPECT_EQ(C<QSpinBox>("CheckSizesSpn")->maximum(), 99);
    EXPECT_EQ(C<QSpinBox>("MidnightSpn")->minimum(), 1);
    EXPECT_EQ(C<QSpinBox>("MidnightSpn")->maximum(), 23);

    params.CheckSizes = 12;
    dialog.LoadFrom(params);
    EXPECT_TRUE(C<QCheckBox>("CheckSizesChk")->isChecked());
    EXPECT_EQ(C<QSpinBox>("CheckSizesSpn")->value(), 12);
}

TEST_F(OptionsDlgTest, ApplicationCombo_FollowsItsCheckBoxAndOffersTheStoredName)
{
    params.AutoApp = false;
    params.AppName = "Gimp";
    dialog.LoadFrom(params);
    auto* combo = C<QComboBox>("AppNameCbo");
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_FALSE(C<QPushButton>("AppPickBtn")->isEnabled());
    EXPECT_EQ(combo->currentText(), "Gimp");
    EXPECT_EQ(combo->itemText(0), "Gimp");  // sorted in
    EXPECT_NE(combo->findText("LibreOffice Writer"), -1);
    C<QCheckBox>("AutoAppChk")->click();
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_TRUE(C<QPushButton>("AppPickBtn")->isEnabled());
    combo->setCurrentIndex(combo->findText("Microsoft Excel"));
    const cParameters saved = Saved();
    EXPECT_TRUE(saved.AutoApp);
    EXPECT_EQ(saved.AppName, "Microsoft Excel");
}

TEST_F(OptionsDlgTest, SortingPicture_FollowsReverseOrder)
{
    EXPECT_FALSE(C<QLabel>("AscendingImg")->isHidden());
    EXPECT_TRUE(C<QLabel>("DescendingImg")->isHidden());
    C<QCheckBox>("ReverseOrderChk")->click();
    C<QRadioButton>("SortSizeRbt")->click();
    EXPECT_FALSE(C<QLabel>("DescendingImg")->isHidden());
    EXPECT_TRUE(C<QLabel>("AscendingImg")->isHidden());
    const cParameters saved = Saved();
    EXPECT_EQ(saved.SortingMode, 3);
    EXPECT_TRUE(saved.ReverseOrder);
}

// Every other control writes its own field (one flip each, from the defaults).
TEST_F(OptionsDlgTest, PlainControls_WriteTheirFields)
{
    const cParameters before = Saved();
    C<QCheckBox>("HiddenChk")->click();
    C<QCheckBox>("DeleteEmptyDestDirsChk")->click();
    C<QCheckBox>("CreateAllSrcDirsChk")->click();
    C<QCheckBox>("OtherSoundChk")->click();
    C<QCheckBox>("NoFilesMsgChk")->click();
    C<QComboBox>("AutoShutdownCbo")->setCurrentIndex(3);
    C<QSpinBox>("TimeDifferenceSpn")->setValue(17);
    C<QCheckBox>("IgnoreDSTChk")->click();
    C<QCheckBox>("RecycleChk")->click();
    C<QCheckBox>("TransferOwnerChk")->click();
    C<QCheckBox>("ListSkipChk")->click();
    const cParameters after = Saved();
    EXPECT_EQ(after.Attributes, before.Attributes | 2);
    EXPECT_NE(after.DeleteEmptyDestDirs, before.DeleteEmptyDestDirs);
    EXPECT_NE(after.CreateAllSrcDirs, before.CreateAllSrcDirs);
    EXPECT_EQ(after.Warnings, (0x55 | 0x20) & ~0x01);
    EXPECT_EQ(after.AutoShutdown, 3);
    EXPECT_EQ(after.TimeDifference, 17);
    EXPECT_NE(after.IgnoreDST, before.IgnoreDST);
    EXPECT_NE(after.Recycle, before.Recycle);
    EXPECT_NE(after.TransferOwner, before.TransferOwner);
    EXPECT_NE(after.ListSkip, before.ListSkip);
    EXPECT_TRUE(after.Modified);
}

// "Schreiben" stores the defaults for new profiles at once; a Cancel afterwards leaves them
// written and the profile as it was. "Lesen" brings them back.
TEST_F(OptionsDlgTest, WriteThenCancel_KeepsDefaultsAndLeavesProfile)
{
    params.Verify = false;
    params.Modified = false;
    dialog.SetDocument(&params);
    dialog.LoadFrom(params);
    OnNextModal([](QWidget* modal) {
        Control<QCheckBox>(modal, "VerifyChk")->click();
        Control<QSpinBox>(modal, "TimeDifferenceSpn")->setValue(9);
        Control<QPushButton>(modal, "WriteBtn")->click();
        Control<QPushButton>(modal, "CancelBtn")->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(params.Verify);
    EXPECT_EQ(params.TimeDifference, 2);
    EXPECT_FALSE(params.Modified);

    cParameters defaults;
    defaults.ReadOptions(1);
    EXPECT_TRUE(defaults.Verify);
    EXPECT_EQ(defaults.TimeDifference, 9);

    TOptionsDlg again;
    again.LoadFrom(params);
    EXPECT_FALSE(Control<QCheckBox>(&again, "VerifyChk")->isChecked());
    Control<QPushButton>(&again, "ReadBtn")->click();
    EXPECT_TRUE(Control<QCheckBox>(&again, "VerifyChk")->isChecked());
    EXPECT_EQ(Control<QSpinBox>(&again, "TimeDifferenceSpn")->value(), 9);
}

// The dialog opens on the page asked for; OK remembers the page shown.
TEST_F(OptionsDlgTest, OpenOnPage_ShowsThatPageAndStoresIt)
{
    params.NotebookPage = 2;
    int shown = -1;
    OnNextModal([&shown](QWidget* modal) {
        auto* notebook = Control<QTabWidget>(modal, "Notebook");
        shown = notebook->currentIndex();
        notebook->setCurrentIndex(TOptionsDlg::kPageMisc);
        Control<QPushButton>(modal, "OkBtn")->click();
    });
    EXPECT_TRUE(TOptionsDlg::Open(nullptr, params, TOptionsDlg::kPageAutomation));
    EXPECT_EQ(shown, TOptionsDlg::kPageAutomation);
    EXPECT_EQ(params.NotebookPage, TOptionsDlg::kPageMisc);
    EXPECT_TRUE(params.Modified);

    // Without a request the stored page shows.
    OnNextModal([&shown](QWidget* modal) {
        shown = Control<QTabWidget>(modal, "Notebook")->currentIndex();
        Control<QPushButton>(modal, "CancelBtn")->click();
    });
    EXPECT_FALSE(TOptionsDlg::Open(nullptr, params, -1));
    EXPECT_EQ(shown, TOptionsDlg::kPageMisc);
}

TEST_F(OptionsDlgTest, ShortcutButton_DisabledForUntitledDocument)
{
    dialog.CreateShortcut = [](QWidget*) {};
    params.Untitled = true;
    dialog.LoadFrom(params);
    EXPECT_FALSE(C<QPushButton>("ShortcutBtn")->isEnabled());
    params.Untitled = false;
    dialog.LoadFrom(params);
    EXPECT_TRUE(C<QPushButton>("ShortcutBtn")->isEnabled());
}

// "Hilfe" opens the topic of the page shown; every topic of these dialogs has its page.
TEST_F(OptionsDlgTest, Help_OpensThePageTopic)
{
    std::vector<int> asked;
    const auto previous = DialogServices::ShowHelp;
    DialogServices::ShowHelp = [&asked](QWidget*, int context) { asked.push_back(context); };
    dialog.ShowPage(TOptionsDlg::kPageOrphans);
    C<QPushButton>("HelpBtn")->click();
    dialog.ShowPage(TOptionsDlg::kPageMisc);
    C<QPushButton>("HelpBtn")->click();
    DialogServices::ShowHelp = previous;
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[0], asked[1]);

    std::vector<int> topics = asked;
    for (int page = 0; page < TOptionsDlg::kPageCount; ++page) {
        dialog.ShowPage(page);
        topics.push_back(dialog.HelpContext());
    }
    topics.insert(topics.end(), {4400, 4500, 4700});
    for (int topic : topics) {
        const QString page = QStringLiteral(VERDAL_SOURCE_DIR "/resources/help/%1.html").arg(topic);
        EXPECT_TRUE(QFile::exists(page)) << page.toStdString();
    }
}
