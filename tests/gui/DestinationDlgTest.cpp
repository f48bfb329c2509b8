#include "dialogs/TDestinationDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "DriveDialogFixture.h"
#include "dialogs/TDiskDlg.h"

using namespace verdal;

namespace {

class DestinationDlgTest : public test::DriveDialogFixture
{
protected:
    void SetUp() override
    {
        DriveDialogFixture::SetUp();
        dir.createDir("Ziel/Sicherung");
        params.DestinationDrive = destRoot;
        params.DestinationDirectory = "\\Sicherung\\";
        params.Modified = false;
        SetTestNow(EncodeDateTime(2026, 12, 5, 14, 0));
        if (const char* user = std::getenv("USERNAME")) {
            savedUser_ = user;
        }
        setenv("USERNAME", "Administrator", 1);
    }
    void TearDown() override
    {
        savedUser_ ? setenv("USERNAME", savedUser_->c_str(), 1) : unsetenv("USERNAME");
        DriveDialogFixture::TearDown();
    }

    std::unique_ptr<TDestinationDlg> Open()
    {
        auto dialog = std::make_unique<TDestinationDlg>();
        dialog->LoadFrom(params);
        dialog->SetDiskTarget(&params);
        dialog->show();
        return dialog;
    }

    std::optional<std::string> savedUser_;
};

}  // namespace

TEST_F(DestinationDlgTest, Preview_NamesTheDirectoryOfEachVariation)
{
    auto dialog = Open();
    auto* variation = Find<QComboBox>(*dialog, "VariationCbo");
    auto* eightThree = Find<QCheckBox>(*dialog, "EightThreeChk");
    const std::string base = destRoot + "/Sicherung/";
    const std::pair<int, std::string> expected[] = {
        {0, ""},         {1, "Samstag, 5. Dezember 2026/"},
        {2, "Samstag/"}, {3, "Ungerade/"},
        {4, "Enkel/"},   {5, "Administrator/"}};
    for (const auto& [index, sub] : expected) {
        variation->setCurrentIndex(index);
        EXPECT_EQ(dialog->PreviewText().toStdString(), base + sub) << index;
    }
    eightThree->setChecked(true);
    EXPECT_EQ(dialog->PreviewText().toStdString(), base + "Administ/");
    variation->setCurrentIndex(1);
    eightThree->setChecked(true);
    EXPECT_EQ(dialog->PreviewText().toStdString(), base + "A051226/");
    EXPECT_FALSE(dir.exists("Ziel/Sicherung/Enkel"));  // the preview renames and creates nothing
}

TEST_F(DestinationDlgTest, Fixed_UnchecksAndDisablesEightThree)
{
    params.Variation = 2;
    params.EightThree = true;
    auto dialog = Open();
    auto* variation = Find<QComboBox>(*dialog, "VariationCbo");
    auto* eightThree = Find<QCheckBox>(*dialog, "EightThreeChk");
    EXPECT_TRUE(eightThree->isChecked());
    variation->setCurrentIndex(0);
    EXPECT_FALSE(eightThree->isEnabled());
    EXPECT_FALSE(eightThree->isChecked());
    variation->setCurrentIndex(3);
    EXPECT_TRUE(eightThree->isEnabled());
    EXPECT_FALSE(eightThree->isChecked());
}

TEST_F(DestinationDlgTest, Ok_StoresTheDirectoryWithBothBackslashes)
{
    auto dialog = Open();
    EXPECT_EQ(Find<TDirectoryTree>(*dialog, "DirTree")->SelectedPath(), "\\Sicherung\\");
    Find<QLineEdit>(*dialog, "DirEdt")->setText("Kopie");
    Find<QComboBox>(*dialog, "VariationCbo")->setCurrentIndex(2);
    Find<QPushButton>(*dialog, "OkBtn")->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    dialog->SaveTo(params);
    EXPECT_EQ(params.DestinationDirectory, "\\Kopie\\");
    EXPECT_EQ(params.Variation, 2);
    EXPECT_TRUE(params.Modified);
}

TEST_F(DestinationDlgTest, Cancel_LeavesTheProfile)
{
    const cParameters before = params;
    auto dialog = Open();
    Find<QLineEdit>(*dialog, "DirEdt")->setText("\\Anders\\");
    Find<QComboBox>(*dialog, "VariationCbo")->setCurrentIndex(4);
    Find<QPushButton>(*dialog, "CancelBtn")->click();
    EXPECT_EQ(params.DestinationDirectory, before.DestinationDirectory);
    EXPECT_EQ(params.Variation, before.Variation);
    EXPECT_FALSE(params.Modified);
}

TEST_F(DestinationDlgTest, TreeSelection_FillsTheDirectoryField)
{
    dir.createDir("Ziel/Sicherung/Monat");
    auto dialog = Open();
    auto* tree = Find<TDirectoryTree>(*dialog, "DirTree");
    tree->currentItem()->setExpanded(true);
    tree->setCurrentItem(tree->currentItem()->child(0));
    EXPECT_EQ(Find<QLineEdit>(*dialog, "DirEdt")->text(), "\\Sicherung\\Monat\\");
}

TEST_F(DestinationDlgTest, DiskDialog_LabelOnlyWhenChecked)
{
    params.DiskLabel = "BACKUP";
    params.EjectDisk = true;
    TDiskDlg disk(QString::fromStdString(destRoot));
    disk.LoadFrom(params);
    EXPECT_EQ(disk.windowTitle(), "Datenträger");
    auto* check = Find<QCheckBox>(disk, "CheckLabelChk");
    auto* label = Find<QLineEdit>(disk, "CheckLabelEdt");
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(label->text(), "BACKUP");
    EXPECT_TRUE(Find<QCheckBox>(disk, "EjectDiskChk")->isChecked());
    Find<QPushButton>(disk, "WeekdayBtn")->click();
    EXPECT_EQ(label->text(), "BACKUP%DAYOFWEEK%");
    EXPECT_EQ(label->cursorPosition(), label->text().size());

    check->click();
    EXPECT_FALSE(label->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(disk, "ReadBtn")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(disk, "WeekdayBtn")->isEnabled());
    disk.SaveTo(params);
    EXPECT_EQ(params.DiskLabel, "");
    EXPECT_TRUE(params.Modified);

    // A drive without a readable label clears the field.
    check->click();
    Find<QPushButton>(disk, "ReadBtn")->click();
    EXPECT_TRUE(label->text().isEmpty());
}

TEST_F(DestinationDlgTest, DiskDialog_OkTakesEffectAtOnce)
{
    auto dialog = Open();
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->findChild<QCheckBox*>("OfferFormatChk")->setChecked(true);
        }
    });
    AnswerNextModal("OkBtn");
    Find<QPushButton>(*dialog, "DiskBtn")->click();
    EXPECT_TRUE(params.OfferFormat);
    EXPECT_TRUE(params.Modified);
    Find<QPushButton>(*dialog, "CancelBtn")->click();
    EXPECT_TRUE(params.OfferFormat);
}
