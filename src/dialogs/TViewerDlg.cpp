#include "dialogs/TViewerDlg.h"

#include <chrono>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/LogRules.h"
#include "dialogs/NamedControls.h"
#include "dialogs/TTimedDlg.h"
#include "platform/Clock.h"
#include "settings/GermanFormat.h"
#include "settings/TextCodec.h"

namespace verdal {
namespace {

// Characters put into the editor per step: small enough that the window keeps answering.
constexpr qsizetype kPiece = 256 * 1024;
// Logs from this size on are read beside the window; the window looks for the text this often.
constexpr qint64 kBackgroundRead = 1024 * 1024;
constexpr int kReadPoll = 20;

QFont StoredFont(const cParameters& params)
{
    const QString name = QString::fromStdString(params.ViewerFontName);
    QFont font = QFontDatabase::hasFamily(name)
                     ? QFont(name)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(std::max(1, params.ViewerFontSize));
    const FontStyles& style = params.ViewerFontStyle;
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    font.setStrikeOut(style.StrikeOut);
    return font;
}

void StoreFont(cParameters& params, const QFont& font)
{
    params.ViewerFontName = font.family().toStdString();
    params.ViewerFontSize = font.pointSize() > 0 ? font.pointSize() : params.ViewerFontSize;
    params.ViewerFontStyle = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

void PrintWithDialog(QWidget* parent, QTextDocument& document, const QString& title)
{
    QPrinter printer;
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) {
        document.print(&printer);
    }
}

}  // namespace

std::function<void(QWidget*, QTextDocument&, const QString&)> TViewerDlg::PrintDocument =
    PrintWithDialog;

bool ReadLogText(const QString& path, QString& text, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.exists() ? QStringLiteral("Zugriff verweigert.")
                              : QStringLiteral("Die Datei wurde nicht gefunden.");
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Die Datei kann nicht gelesen werden.");
        return false;
    }
    text = QString::fromStdString(DecodeText(std::string_view(bytes.constData(), bytes.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return true;
}

QString ViewerCaption(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("Datei %1 nicht gefunden").arg(path);
    }
    const QDateTime t = info.lastModified();
    const TDateTime stamp = EncodeDateTime(t.date().year(), t.date().month(), t.date().day(),
                                           t.time().hour(), t.time().minute(), t.time().second());
    return QStringLiteral("Datei: %1   Größe: %2   Erstellt: %3")
        .arg(path, QString::fromStdString(FormatNumber(static_cast<double>(info.size()), 0)),
             QString::fromStdString(FormatDateTime("ddddd t", stamp)));
}

TViewerDlg::TViewerDlg(cParameters& params, QWidget* parent) : QDialog(parent), params_(params)
{
    setWindowTitle(QStringLiteral("Log ansehen"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    LogEdt = Named(new QPlainTextEdit(this), "LogEdt", QStringLiteral("Log"));
    LogEdt->setLineWrapMode(QPlainTextEdit::NoWrap);
    LogEdt->setReadOnly(true);
    LogEdt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LogEdt->setUndoRedoEnabled(false);
    layout->addWidget(LogEdt);
    auto* row = new QHBoxLayout;
    FontBtn = Named(new QPushButton(QStringLiteral("Schriftart..."), this), "FontBtn");
    ReadBtn = Named(new QPushButton(QStringLiteral("Lesen..."), this), "ReadBtn");
    WriteBtn = Named(new QPushButton(QStringLiteral("Schreiben..."), this), "WriteBtn");
    PrintBtn = Named(new QPushButton(QStringLiteral("Drucken..."), this), "PrintBtn");
    CloseBtn = Named(new QPushButton(QStringLiteral("Schließen"), this), "CloseBtn");
    for (QPushButton* button : {FontBtn, ReadBtn, WriteBtn, PrintBtn}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch();
    CloseBtn->setDefault(true);
    row->addWidget(CloseBtn);
    layout->addLayout(row);
    resize(640, 420);

    pieces_ = new QTimer(this);
    pieces_->setInterval(0);
    ChooseFont = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Schriftart"));
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    connect(pieces_, &QTimer::timeout, this, &TViewerDlg::InsertNextPiece);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FontBtn, &QPushButton::clicked, this, &TViewerDlg::PickFont);
    connect(ReadBtn, &QPushButton::clicked, this, &TViewerDlg::Read);
    connect(WriteBtn, &QPushButton::clicked, this, &TViewerDlg::Write);
    connect(PrintBtn, &QPushButton::clicked, this, &TViewerDlg::Print);
    ApplyFont(StoredFont(params_));
}

void TViewerDlg::ApplyFont(const QFont& font)
{
    LogEdt->setFont(font);
    QFont shown = font;
    shown.setPointSize(std::min(font.pointSize(), 14));  // keep the button readable
    FontBtn->setFont(shown);
}

bool TViewerDlg::ReadFile(const QString& path, QString& error)
{
    CollectRead(true);
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        error = probe.exists() ? QStringLiteral("Zugriff verweigert.")
                               : QStringLiteral("Die Datei wurde nicht gefunden.");
        return false;
    }
    const qint64 size = probe.size();
    probe.close();
    if (size >= kBackgroundRead) {
        // A large log is read and decoded beside the window, which shows and answers at once.
        fileName_ = path;
        setWindowTitle(ViewerCaption(path));
        LogEdt->clear();
        pending_.clear();
        position_ = 0;
        setCursor(Qt::BusyCursor);
        reading_ = std::async(std::launch::async, [path] {
            ReadResult result;
            result.Read = ReadLogText(path, result.Text, result.Error);
            return result;
        });
        pieces_->start(kReadPoll);
        return true;
    }
    QString text;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool read = ReadLogText(path, text, error);
    QApplication::restoreOverrideCursor();
    if (!read) {
        return false;
    }
    fileName_ = path;
    setWindowTitle(ViewerCaption(path));
    LogEdt->clear();
    StartInserting(std::move(text));
    return true;
}

void TViewerDlg::StartInserting(QString text)
{
    pending_ = std::move(text);
    position_ = 0;
    InsertNextPiece();
    if (Loading()) {
        pieces_->start(0);
    }
}

bool TViewerDlg::CollectRead(bool wait)
{
    if (!reading_.valid()) {
        return true;
    }
    if (!wait && reading_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return false;
    }
    ReadResult result = reading_.get();
    unsetCursor();
    pieces_->stop();
    if (!result.Read) {
        // Found readable at first, then failed: said as a failed read always is, and the
        // viewer closes.
        ShowTimedMessage(QStringLiteral("Fehler beim Lesen von..."), fileName_, result.Error, this);
        reject();
        return true;
    }
    StartInserting(std::move(result.Text));
    return true;
}

void TViewerDlg::InsertNextPiece()
{
    if (reading_.valid()) {
        CollectRead(false);
        return;
    }
    if (!Loading()) {
        pieces_->stop();
        return;
    }
    qsizetype end = std::min(pending_.size(), position_ + kPiece);
    if (end < pending_.size()) {
        // Break after a line so that no line is split between two insertions.
        const qsizetype newline = pending_.lastIndexOf(QLatin1Char('\n'), end - 1);
        end = newline >= position_ ? newline + 1 : end;
    }
    QTextCursor cursor(LogEdt->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(pending_).mid(position_, end - position_).toString());
    position_ = end;
    if (Loading()) {
        return;
    }
    pieces_->stop();
    pending_.clear();
    position_ = 0;
    LogEdt->moveCursor(QTextCursor::End);
    LogEdt->ensureCursorVisible();
    emit Loaded();
}

bool TViewerDlg::WriteFile(const QString& path, QString& error)
{
    CollectRead(true);
    QString text = LogEdt->toPlainText();
    if (Loading()) {
        text += QStringView(pending_).mid(position_);
    }
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string bytes = EncodeText(text.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    fileName_ = path;
    setWindowTitle(ViewerCaption(path));
    return true;
}

void TViewerDlg::PickFont()
{
    if (const auto font = ChooseFont(this, LogEdt->font())) {
        ApplyFont(*font);
    }
}

void TViewerDlg::Read()
{
    const QString chosen =
        LogFileDialogs::Choose(this, LogFileDialogs::Mode::Open, QStringLiteral("Log lesen"),
                               BrowseStartOf(fileName_), LogFileFilter(), QStringLiteral("txt"));
    QString error;
    if (!chosen.isEmpty() && !ReadFile(chosen, error)) {
        ShowTimedMessage(QStringLiteral("Fehler beim Lesen von..."), chosen, error, this);
    }
}

void TViewerDlg::Write()
{
    const QString chosen =
        LogFileDialogs::Choose(this, LogFileDialogs::Mode::Save, QStringLiteral("Log schreiben"),
                               BrowseStartOf(fileName_), LogFileFilter(), QStringLiteral("txt"));
    QString error;
    if (!chosen.isEmpty() && !WriteFile(chosen, error)) {
        ShowTimedMessage(QStringLiteral("Fehler beim Schreiben von..."), chosen, error, this);
    }
}

void TViewerDlg::Print()
{
    PrintDocument(this, *LogEdt->document(), QStringLiteral("Verdal"));
}

void TViewerDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (placed_) {
        return;
    }
    placed_ = true;
    const cWindowPos& pos = params_.WindowPositions[kWinLogViewer];
    if (pos.Right > pos.Left && pos.Bottom > pos.Top) {
        QRect rect(QPoint(pos.Left, pos.Top), QPoint(pos.Right - 1, pos.Bottom - 1));
        if (const QScreen* screen = this->screen()) {
            const QRect available = screen->availableGeometry();
            rect.setSize(rect.size().boundedTo(available.size()));
            rect.moveLeft(
                std::clamp(rect.left(), available.left(), available.right() - rect.width() + 1));
            rect.moveTop(
                std::clamp(rect.top(), available.top(), available.bottom() - rect.height() + 1));
        }
        setGeometry(rect);
    }
    if (pos.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TViewerDlg::hideEvent(QHideEvent* event)
{
    cWindowPos& pos = params_.WindowPositions[kWinLogViewer];
    const QRect rect = isMaximized() ? normalGeometry() : geometry();
    pos.Left = static_cast<int16_t>(rect.left());
    pos.Top = static_cast<int16_t>(rect.top());
    pos.Right = static_cast<int16_t>(rect.right() + 1);
    pos.Bottom = static_cast<int16_t>(rect.bottom() + 1);
    pos.Maximized = isMaximized();
    QDialog::hideEvent(event);
}

void TViewerDlg::done(int result)
{
    pieces_->stop();
    StoreFont(params_, LogEdt->font());
    QDialog::done(result);
}

bool TViewerDlg::Open(QWidget* parent, cParameters& params, int /*page*/)
{
    TViewerDlg viewer(params, parent);
    const QString path = QString::fromStdString(params.Log.CurrentLogFile);
    QString error;
    if (!viewer.ReadFile(path, error)) {
        ShowTimedMessage(QStringLiteral("Fehler beim Lesen von..."), path, error, parent);
        return false;
    }
    viewer.exec();
    return false;
}

}  // namespace verdal
