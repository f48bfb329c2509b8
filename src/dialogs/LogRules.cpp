#include "dialogs/LogRules.h"

#include <QFileDialog>

namespace verdal {

QString LogFileFilter()
{
    return QStringLiteral("Text-Dateien (*.txt);;Log-Dateien (*.log);;Alle Dateien (*)");
}

namespace {

QString RunFileDialog(QWidget* parent, LogFileDialogs::Mode mode, const QString& title,
                      const BrowseStart& start, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, start.Directory, filter);
    dialog.setAcceptMode(mode == LogFileDialogs::Mode::Save ? QFileDialog::AcceptSave
                                                            : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode == LogFileDialogs::Mode::Open ? QFileDialog::ExistingFile
                                                          : QFileDialog::AnyFile);
    if (mode == LogFileDialogs::Mode::Name) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    dialog.setDefaultSuffix(defaultSuffix);
    if (!start.Name.isEmpty()) {
        dialog.selectFile(start.Name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace

std::function<QString(QWidget*, LogFileDialogs::Mode, const QString&, const BrowseStart&,
                      const QString&, const QString&)>
    LogFileDialogs::Choose = RunFileDialog;

}  // namespace verdal
