#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace verdal {

// "Netzwerk durchsuchen": the SMB hosts of the network with their shares as a tree, each
// host's shares read when it is first expanded. Looks at the network run off the GUI thread
// with a time limit; without the tools the network is empty. On OK, SelectedName() is the
// chosen share ("\\host\share").
class TNetBrowserDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TNetBrowserDlg(QWidget* parent = nullptr);
    ~TNetBrowserDlg() override;

    // Where hosts and shares come from (tests give fixed ones); empty functions restore the
    // platform's network browser.
    static void SetNetworkSource(
        std::function<std::vector<std::string>()> hosts,
        std::function<std::vector<std::string>(const std::string&)> shares);

    QString SelectedName() const;
    // Clears the tree and reads the hosts again ("Neu bauen").
    void Rebuild();

private:
    void Expand(QTreeWidgetItem* item);
    void UpdateOk();

    QTreeWidget* NetTree;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QAction* RebuildItm;
    QAction* ExpandAllItm;
    QAction* CollapseAllItm;
};

}  // namespace verdal
