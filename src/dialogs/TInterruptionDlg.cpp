#include "dialogs/TInterruptionDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/DialogServices.h"
#include "dialogs/FileLabels.h"
#include "settings/ErrorText.h"

namespace verdal {

TInterruptionDlg::TInterruptionDlg(const std::string& profilePath, const FileLabel& source,
                                   const FileLabel& destination, int errorCode, bool tooltips,
                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Verdal 5 - ") + QString::fromStdString(profilePath));
    auto* grid = new QGridLayout(this);
    Source = std::make_unique<FileLabelBlock>(QStringLiteral("Kopieren von"),
                                              QStringLiteral("Source"), grid, 0, this);
    Destination = std::make_unique<FileLabelBlock>(QStringLiteral("nach"),
                                                   QStringLiteral("Destination"), grid, 2, this);
    Source->Show(source);
    Destination->Show(destination);
    grid->addWidget(new QLabel(QStringLiteral("unterbrochen:"), this), 4, 0);
    ErrorLbl = new QLabel(QString::fromStdString(ErrorText(errorCode)).toUpper(), this);
    ErrorLbl->setObjectName(QStringLiteral("ErrorLbl"));
    ErrorLbl->setWordWrap(true);
    ErrorLbl->setStyleSheet(QStringLiteral("color: #800000"));
    grid->addWidget(ErrorLbl, 4, 1, 1, 4);

    auto* buttons = new QHBoxLayout;
    const std::tuple<QPushButton**, const char*, QString, int> specs[] = {
        {&RetryBtn, "RetryBtn", QStringLiteral("Nochmal"), kRetry},
        {&NextFileBtn, "NextFileBtn", QStringLiteral("Nächste Datei"), kNextFile},
        {&NextFolderBtn, "NextFolderBtn", QStringLiteral("Nächster Ordner"), kNextFolder},
        {&DeleteBtn, "DeleteBtn", QStringLiteral("Löschen"), kDeleteFile},
        {&QuitBtn, "QuitBtn", QStringLiteral("Beenden"), kQuitRun},
        {&HelpBtn, "HelpBtn", QStringLiteral("Hilfe"), 0},
    };
    for (const auto& [member, name, caption, result] : specs) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(caption);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        *member = button;
        if (result != 0) {
            connect(button, &QPushButton::clicked, this, [this, r = result] { done(r); });
        }
    }
    RetryBtn->setDefault(true);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { DialogServices::ShowHelp(this, kHelpContext); });
    if (tooltips) {
        RetryBtn->setToolTip(QStringLiteral("Die Datei noch einmal kopieren"));
        NextFileBtn->setToolTip(QStringLiteral("Diese Datei überspringen"));
        NextFolderBtn->setToolTip(QStringLiteral("Den Rest dieses Ordners überspringen"));
        DeleteBtn->setToolTip(QStringLiteral("Die Datei löschen statt kopieren"));
        QuitBtn->setToolTip(QStringLiteral("Den Lauf beenden"));
    }
    grid->addLayout(buttons, 5, 0, 1, 5);
}

TInterruptionDlg::~TInterruptionDlg() = default;

int TInterruptionDlg::Ask(const std::string& profilePath, const FileLabel& source,
                          const FileLabel& destination, int errorCode, bool tooltips,
                          QWidget* parent)
{
    TInterruptionDlg dialog(profilePath, source, destination, errorCode, tooltips, parent);
    const int result = dialog.exec();
    return result >= kRetry && result <= kQuitRun ? result : kQuitRun;
}

}  // namespace verdal
