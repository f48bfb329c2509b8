#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "platform/Drives.h"

class QAction;

namespace verdal {

// Drop-down list of the drives a profile may use: the mounted file systems (with type icon,
// label and file system name), network shares when asked for, and drives added by hand, which
// are kept in the options file (section "Drive Lists", key prefix set with SetIniPrefix).
//
// Use: construct, set DrillDepth / ShowVolumeInformation / IniPrefix, then SelectDrive(text);
// DriveChanged(drive) fires on every selection, also when SelectDrive picks the same entry.
// AddDriveByHand is the "Lesen" command of the dialogs. The list fills itself on first need.
class TDriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit TDriveList(QWidget* parent = nullptr);
    ~TDriveList() override;

    // Where the drives come from (tests give fixed ones); an empty function restores the
    // platform's mounted file systems.
    static void SetDriveSource(std::function<std::vector<DriveInfo>()> source);
    // Network shares ("\\host\share") for DrillDepth > 0; empty restores the platform's browser.
    static void SetShareSource(std::function<std::vector<std::string>()> source);

    void SetDrillDepth(int depth) { drillDepth_ = depth; }
    int DrillDepth() const { return drillDepth_; }
    void SetShowVolumeInformation(bool show) { showVolumeInformation_ = show; }
    void SetByHandCount(int count) { byHandCount_ = count; }
    // Reads the hand-added drives stored under `prefix` ("Src", "Dest"); they are written back
    // whenever they change.
    void SetIniPrefix(const std::string& prefix);

    // Selects the entry named `drive`. A drive that exists but is not listed is added by hand;
    // one that does not exist (any more) selects the first entry. True when `drive` is selected.
    bool SelectDrive(const QString& drive);
    // The selected drive's text ("" when nothing is selected).
    QString CurrentDrive() const;
    // Adds a valid drive text to the top of the hand-added drives and selects it; a drive of the
    // mounted or network part is only selected. False for text that is no drive.
    bool AddDriveByHand(const QString& drive);
    QStringList HandAdded() const;

    // Refills the list, keeping the selected drive when it is still there.
    void Fill();

signals:
    void DriveChanged(const QString& drive);

private:
    enum Group { kLocal, kNetwork, kByHand };
    void AddRow(const DriveInfo& info, Group group);
    int FindDrive(const QString& drive) const;
    void SelectRow(int row);
    void BrowseNetwork();
    void ClearHandAdded();
    void StoreHandAdded() const;
    void EnsureFilled();

    int drillDepth_ = 3;
    bool showVolumeInformation_ = false;
    int byHandCount_ = 5;
    std::string iniPrefix_;
    std::vector<std::string> handAdded_;
    bool fillNeeded_ = true;
    QAction* refreshItm_;
    QAction* browseItm_;
    QAction* clearHandItm_;
};

}  // namespace verdal
