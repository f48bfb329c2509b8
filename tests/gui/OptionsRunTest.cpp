// Options chosen in the dialog, saved in the profile file and run by the built verdal-run: the
// run does what the options say.
#include <ctime>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "DialogTestEnvironment.h"
#include "RunFixture.h"
#include "dialogs/TOptionsDlg.h"
#include "platform/Clock.h"
#include "platform/FileTimes.h"
#include "support/VerdalRun.h"

using namespace verdal;
using namespace verdal::test;

namespace {

// The profile of RunTest, but on the real clock: verdal-run knows no other.
class OptionsRunTest : public RunTest
{
protected:
    void SetUp() override
    {
        RunTest::SetUp();
        SetTestNow(std::nullopt);
        SetTestUtcOffset(std::nullopt);
    }

    // Edits the saved profile with the dialog, saves it and runs it with verdal-run, which
    // neither asks nor refuses to delete; afterwards the profile is read back as the run left it.
    int EditSaveAndRun(const std::function<void(TOptionsDlg&)>& edit)
    {
        TOptionsDlg dialog;
        dialog.LoadFrom(params);
        edit(dialog);
        dialog.SaveTo(params);
        EXPECT_TRUE(params.SaveToFile(profilePath));
        const int code =
            RunVerdalRun(dir, VERDAL_RUN_BINARY, "--allow-mass-delete '" + profilePath + "'");
        params.Reset();
        EXPECT_TRUE(params.LoadFromFile(profilePath));
        return code;
    }
    // Unix seconds `days` before the real now.
    static int64_t DaysAgo(double days)
    {
        return static_cast<int64_t>(std::time(nullptr)) - static_cast<int64_t>(days * 86400);
    }
    template <typename T>
    static T* C(TOptionsDlg& dialog, const char* name)
    {
        return Control<T>(&dialog, name);
    }
};

}  // namespace

TEST_F(OptionsRunTest, TouchSourceOnly_CopiesBackwards)
{
    dir.createFile(Dst("neu.txt"), "aus dem Ziel", DaysAgo(1));
    dir.createFile(Src("alt.txt"), "nur in der Quelle", DaysAgo(2));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QRadioButton>(d, "SrcOnlyRbt")->click();
                  C<QComboBox>(d, "OrphanS2Cbo")->setCurrentIndex(0);  // skip source orphans
              }),
              kRunOk);
    EXPECT_EQ(dir.readFile(Src("neu.txt")), "aus dem Ziel");
    EXPECT_FALSE(dir.exists(Dst("alt.txt")));
    EXPECT_TRUE(dir.exists(Src("alt.txt")));
}

TEST_F(OptionsRunTest, OrphanSkip_KeepsDestinationOrphans)
{
    dir.createFile(Src("neu.txt"), "neu", DaysAgo(1));
    dir.createFile(Dst("Waise.txt"), "bleibt", DaysAgo(3));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QRadioButton>(d, "DestOnlyRbt")->click();
                  C<QComboBox>(d, "OrphanD2Cbo")->setCurrentIndex(0);  // "Überspringen"
              }),
              kRunOk);
    EXPECT_EQ(dir.readFile(Dst("neu.txt")), "neu");
    EXPECT_EQ(dir.readFile(Dst("Waise.txt")), "bleibt");

    // "Löschen" removes it.
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QComboBox>(d, "OrphanD2Cbo")->setCurrentIndex(1);
                  C<QCheckBox>(d, "RecycleChk")->setChecked(false);
              }),
              kRunOk);
    EXPECT_FALSE(dir.exists(Dst("Waise.txt")));
}

TEST_F(OptionsRunTest, RelativeAge_CopiesOnlyNewerFiles)
{
    dir.createFile(Src("frisch.txt"), "frisch", DaysAgo(1));
    dir.createFile(Src("alt.txt"), "alt", DaysAgo(10));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QSpinBox>(d, "RelativeAgeSpn")->setValue(5);  // selects "Nicht mehr als"
              }),
              kRunOk);
    EXPECT_TRUE(dir.exists(Dst("frisch.txt")));
    EXPECT_FALSE(dir.exists(Dst("alt.txt")));

    // Reversed: only the older file.
    dir.createFile(Src("alt2.txt"), "alt", DaysAgo(20));
    dir.createFile(Src("frisch2.txt"), "frisch", DaysAgo(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) { C<QCheckBox>(d, "ReverseAgeChk")->click(); }),
              kRunOk);
    EXPECT_TRUE(dir.exists(Dst("alt2.txt")));
    EXPECT_FALSE(dir.exists(Dst("frisch2.txt")));
}

TEST_F(OptionsRunTest, Verify_ComparesTheCopies)
{
    dir.createFile(Src("Brief.txt"), "Inhalt", DaysAgo(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) { C<QCheckBox>(d, "VerifyChk")->click(); }),
              kRunOk);
    EXPECT_NE(Log().find("Datei verglichen:"), std::string::npos) << Log();
}

TEST_F(OptionsRunTest, Recycle_DeletesIntoTheTrash)
{
    dir.createFile(Dst("Waise.txt"), "in den Papierkorb", DaysAgo(3));
    dir.createFile(Src("neu.txt"), "neu", DaysAgo(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QComboBox>(d, "OrphanD2Cbo")->setCurrentIndex(1);  // "Löschen"
                  C<QCheckBox>(d, "RecycleChk")->setChecked(true);
              }),
              kRunOk);
    EXPECT_FALSE(dir.exists(Dst("Waise.txt")));
    EXPECT_EQ(dir.readFile(".home/.local/share/Trash/files/Waise.txt"), "in den Papierkorb");
}
