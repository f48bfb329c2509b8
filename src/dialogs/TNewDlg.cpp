#include "dialogs/TNewDlg.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace verdal {

TNewDlg::TNewDlg(QWidget* parent)
    : QDialog(parent),
      ProfileBtn(new QPushButton(QStringLiteral("  Profil"), this)),
      BatchBtn(new QPushButton(QStringLiteral("  Batch-Datei"), this)),
      CancelBtn(new QPushButton(QStringLiteral("  Abbrechen"), this))
{
    setObjectName(QStringLiteral("NewDlg"));
    setWindowTitle(QStringLiteral("Neue Datei"));
    auto* layout = new QVBoxLayout(this);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {ProfileBtn, "ProfileBtn"}, {BatchBtn, "BatchBtn"}, {CancelBtn, "CancelBtn"}};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(button->text().trimmed());
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 6px 16px;"));
        layout->addWidget(button);
    }
    ProfileBtn->setDefault(true);
    connect(ProfileBtn, &QPushButton::clicked, this, [this] {
        kind_ = 0;
        accept();
    });
    connect(BatchBtn, &QPushButton::clicked, this, [this] {
        kind_ = 1;
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int TNewDlg::Choose(QWidget* parent)
{
    TNewDlg dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Kind() : -1;
}

}  // namespace verdal
