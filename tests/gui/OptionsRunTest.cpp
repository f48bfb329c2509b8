// Options chosen in the dialog, saved in the profile file, read back and run: the run does
// what the options say.
#include <unistd.h>

#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "DialogTestEnvironment.h"
#include "RunFixture.h"
#include "dialogs/TOptionsDlg.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class OptionsRunTest : public RunTest
{
protected:
    // Edits the profile with the dialog, saves it, reads it back and runs it.
    int EditSaveAndRun(const std::function<void(TOptionsDlg&)>& edit)
    {
        TOptionsDlg dialog;
        dialog.LoadFrom(params);
        edit(dialog);
        dialog.SaveTo(params);
        EXPECT_TRUE(params.SaveToFile(profilePath));
        params.Reset();
        EXPECT_TRUE(params.LoadFromFile(profilePath));
        return Run();
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
    dir.createFile(Dst("neu.txt"), "aus dem Ziel", Stamp(1));
    dir.createFile(Src("alt.txt"), "nur in der Quelle", Stamp(2));
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
    dir.createFile(Src("neu.txt"), "neu", Stamp(1));
    dir.createFile(Dst("Waise.txt"), "bleibt", Stamp(3));
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
    dir.createFile(Src("frisch.txt"), "frisch", Stamp(1));
    dir.createFile(Src("alt.txt"), "alt", Stamp(10));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QSpinBox>(d, "RelativeAgeSpn")->setValue(5);  // selects "Nicht mehr als"
              }),
              kRunOk);
    EXPECT_TRUE(dir.exists(Dst("frisch.txt")));
    EXPECT_FALSE(dir.exists(Dst("alt.txt")));

    // Reversed: only the older file.
    dir.createFile(Src("alt2.txt"), "alt", Stamp(20));
    dir.createFile(Src("frisch2.txt"), "frisch", Stamp(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) { C<QCheckBox>(d, "ReverseAgeChk")->click(); }),
              kRunOk);
    EXPECT_TRUE(dir.exists(Dst("alt2.txt")));
    EXPECT_FALSE(dir.exists(Dst("frisch2.txt")));
}

TEST_F(OptionsRunTest, Verify_ComparesTheCopies)
{
    dir.createFile(Src("Brief.txt"), "Inhalt", Stamp(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) { C<QCheckBox>(d, "VerifyChk")->click(); }),
              kRunOk);
    EXPECT_NE(Log().find("Datei verglichen:"), std::string::npos) << Log();
}

TEST_F(OptionsRunTest, Recycle_DeletesIntoTheTrash)
{
    dir.createFile(Dst("Waise.txt"), "in den Papierkorb", Stamp(3));
    dir.createFile(Src("neu.txt"), "neu", Stamp(1));
    EXPECT_EQ(EditSaveAndRun([](TOptionsDlg& d) {
                  C<QComboBox>(d, "OrphanD2Cbo")->setCurrentIndex(1);  // "Löschen"
                  C<QCheckBox>(d, "RecycleChk")->setChecked(true);
              }),
              kRunOk);
    EXPECT_FALSE(dir.exists(Dst("Waise.txt")));
    const std::string trash = std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files/Waise.txt";
    EXPECT_EQ(::access(trash.c_str(), F_OK), 0) << trash;
}
