#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <functional>
#include <future>
#include <optional>

#include "settings/Parameters.h"

class QPlainTextEdit;
class QPushButton;
class QTextDocument;
class QTimer;

namespace verdal {

// Reads a log file: UTF-8 when the bytes are valid UTF-8, else Windows-1252; CR LF become line
// breaks. False with a German reason when the file cannot be read.
bool ReadLogText(const QString& path, QString& text, QString& error);
// "Datei: ...   Größe: ...   Erstellt: ..." or "Datei ... nicht gefunden".
QString ViewerCaption(const QString& path);

// "Log ansehen": the built-in viewer of the run log. A large log is put into the editor in
// pieces while the window already responds; the caret ends at the last line.
class TViewerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TViewerDlg(cParameters& params, QWidget* parent = nullptr);

    // Loads `path`; false (and `error`) when it cannot be read.
    bool ReadFile(const QString& path, QString& error);
    bool WriteFile(const QString& path, QString& error);
    bool Loading() const { return reading_.valid() || position_ < pending_.size(); }
    const QString& FileName() const { return fileName_; }

    // The registry's opener: shows CurrentLogFile, or the timed read error.
    static bool Open(QWidget* parent, cParameters& params, int page);

    // The font chooser and the printing of the text; tests replace them.
    std::function<std::optional<QFont>(QWidget*, const QFont&)> ChooseFont;
    static std::function<void(QWidget* parent, QTextDocument& document, const QString& title)>
        PrintDocument;

    QPlainTextEdit* LogEdt;
    QPushButton *FontBtn, *ReadBtn, *WriteBtn, *PrintBtn, *CloseBtn;

signals:
    void Loaded();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void done(int result) override;

private:
    struct ReadResult
    {
        bool Read = false;
        QString Text, Error;
    };
    void StartInserting(QString text);
    // Takes the text of a background read once it is there (at once with `wait`); false while
    // it is still being read.
    bool CollectRead(bool wait);
    void InsertNextPiece();
    void PickFont();
    void Read();
    void Write();
    void Print();
    void ApplyFont(const QFont& font);

    cParameters& params_;
    QString fileName_;
    QString pending_;
    qsizetype position_ = 0;
    QTimer* pieces_;
    std::future<ReadResult> reading_;
    bool placed_ = false;
};

}  // namespace verdal
