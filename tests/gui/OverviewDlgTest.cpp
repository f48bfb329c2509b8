#include "dialogs/TOverviewDlg.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "DialogTestEnvironment.h"
#include "settings/OptionsFile.h"
#include "support/TestDir.h"

using namespace verdal;
using namespace verdal::test;

namespace {

class OverviewDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetOptionsFilePath(dir.filePath("Verdal50.ini"));
        params.Reset();
        params.FileKind = 0;
        dialog.LoadFrom(params);
    }
    void TearDown() override { SetOptionsFilePath({}); }

    TestDir dir;
    cParameters params;
    TOverviewDlg dialog;
};

}  // namespace

TEST(OverviewColorTest, StoredColoursAreBlueGreenRed)
{
    EXPECT_EQ(ColorFromStored(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromStored(0x800000), QColor(0, 0, 128));
    EXPECT_EQ(StoredFromColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

// A colour chosen with the colour dialog selects the custom choice, shows in the panel and the
// preview, and survives saving and reading the profile file.
TEST_F(OverviewDlgTest, Colours_RoundTripThroughTheProfileFile)
{
    int asked = 0;
    QColor offered;
    dialog.ChooseColor = [&](QWidget*, const QColor& current) -> std::optional<QColor> {
        ++asked;
        offered = current;
        return QColor(0x11, 0x22, 0x33);
    };
    params.Overview.SystemColor[0] = true;
    dialog.LoadFrom(params);
    Control<QPushButton>(&dialog, "Block1ColorBtn")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(offered, QColor(255, 255, 255));
    EXPECT_TRUE(Control<QRadioButton>(&dialog, "Block1CustomRbt")->isChecked());
    EXPECT_EQ(Control<QLabel>(&dialog, "Block1Pnl")->palette().color(QPalette::Window),
              QColor(0x11, 0x22, 0x33));

    // The preview's first row lies on block 1.
    dialog.PreviewPnl->resize(200, 80);
    const QImage preview = dialog.PreviewPnl->grab().toImage();
    EXPECT_EQ(QColor(preview.pixel(190, 10)), QColor(0x11, 0x22, 0x33));

    Control<QRadioButton>(&dialog, "DeleteSystemRbt")->click();
    Control<QRadioButton>(&dialog, "ClosedRbt")->click();
    Control<QRadioButton>(&dialog, "OneLineRbt")->click();
    Control<QCheckBox>(&dialog, "FilterDoubleChangeChk")->click();
    Control<QCheckBox>(&dialog, "AlwaysShowPathsChk")->click();
    dialog.ChooseFont = [](QWidget*, const QFont&) -> std::optional<QFont> {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(11);
        return font;
    };
    Control<QPushButton>(&dialog, "FontBtn")->click();
    dialog.SaveTo(params);
    EXPECT_TRUE(params.Modified);

    const std::string path = dir.filePath("Farben.vrd");
    ASSERT_TRUE(params.SaveToFile(path));
    cParameters read;
    read.Reset();
    ASSERT_TRUE(read.LoadFromFile(path));
    EXPECT_EQ(read.Overview.Colors[0], 0x332211u);
    EXPECT_FALSE(read.Overview.SystemColor[0]);
    EXPECT_TRUE(read.Overview.SystemColor[4]);
    EXPECT_FALSE(read.Overview.OpenFolders);
    EXPECT_TRUE(read.Overview.OneLineRows);
    EXPECT_TRUE(read.Overview.FilterDoubleChange);
    EXPECT_FALSE(read.Overview.AlwaysShowPaths);
    EXPECT_EQ(read.Overview.ListFontName, "DejaVu Sans");
    EXPECT_EQ(read.Overview.ListFontSize, 11);
    EXPECT_EQ(read.Overview, params.Overview);

    // Reading the file back into the dialog shows the same choices.
    TOverviewDlg again;
    again.LoadFrom(read);
    cParameters stored = read;
    again.SaveTo(stored);
    EXPECT_EQ(stored.Overview, read.Overview);
}

TEST_F(OverviewDlgTest, CancelledColourChangesNothing)
{
    dialog.ChooseColor = [](QWidget*, const QColor&) -> std::optional<QColor> {
        return std::nullopt;
    };
    params.Overview.SystemColor[3] = true;
    dialog.LoadFrom(params);
    Control<QPushButton>(&dialog, "SkipColorBtn")->click();
    EXPECT_TRUE(Control<QRadioButton>(&dialog, "SkipSystemRbt")->isChecked());
    cParameters out = params;
    dialog.SaveTo(out);
    EXPECT_EQ(out.Overview, params.Overview);
}
