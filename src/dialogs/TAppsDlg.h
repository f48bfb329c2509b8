#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace verdal {

// "Anwendungen": the titles of the windows open now; a click copies one into the field where
// the user trims it to the part that names the application.
class TAppsDlg : public QDialog
{
    Q_OBJECT

public:
    TAppsDlg(const QStringList& titles, QWidget* parent = nullptr);

    void SetApplication(const QString& text);
    QString Application() const;

    // The titles to offer: the window manager's top-level windows (or, without a display,
    // the running programs), the program's own caption always among them, no empty or
    // repeated one.
    static QStringList AvailableTitles(const QString& ownCaption);
    // Shows the dialog with `current` in the field; the chosen text, or empty for Cancel.
    static QString Pick(QWidget* parent, const QString& current, const QString& ownCaption);

    QListWidget* AppsLst;
    QLineEdit* SelectedEdt;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

}  // namespace verdal
