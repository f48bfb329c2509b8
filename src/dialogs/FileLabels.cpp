#include "dialogs/FileLabels.h"

#include "engine/Candidate.h"
#include "settings/GermanFormat.h"
#include "settings/ShortenText.h"

namespace verdal {
namespace {

QLabel* Named(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Shortens in the middle to the label's width, so that both ends of a long path stay visible.
void SetFitted(QLabel* label, const std::string& text, int width)
{
    const QFontMetrics metrics(label->font());
    label->setText(
        QString::fromStdString(ShortenToWidth(text, width, [&metrics](const std::string& s) {
            return metrics.horizontalAdvance(QString::fromStdString(s));
        })));
    label->setToolTip(QString::fromStdString(text));
}

constexpr int kPathWidth = 420;

}  // namespace

FileLabelBlock::FileLabelBlock(const QString& caption, const QString& prefix, QGridLayout* grid,
                               int row, QWidget* parent)
{
    Caption = new QLabel(caption, parent);
    DirLbl = Named(prefix + QStringLiteral("DirLbl"), parent);
    NameLbl = Named(prefix + QStringLiteral("NameLbl"), parent);
    SizeLbl = Named(prefix + QStringLiteral("SizeLbl"), parent);
    DateLbl = Named(prefix + QStringLiteral("DateLbl"), parent);
    TimeLbl = Named(prefix + QStringLiteral("TimeLbl"), parent);
    QFont bold = NameLbl->font();
    bold.setBold(true);
    NameLbl->setFont(bold);
    for (QLabel* l : {SizeLbl, DateLbl, TimeLbl}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    DirLbl->setMinimumWidth(kPathWidth);
    grid->addWidget(Caption, row, 0);
    grid->addWidget(DirLbl, row, 1, 1, 3);
    grid->addWidget(NameLbl, row + 1, 1);
    grid->addWidget(SizeLbl, row + 1, 2);
    grid->addWidget(DateLbl, row + 1, 3);
    grid->addWidget(TimeLbl, row + 1, 4);
}

void FileLabelBlock::Show(const FileLabel& file)
{
    SetFitted(DirLbl, file.Directory, kPathWidth);
    SetFitted(NameLbl, file.Name, kPathWidth / 2);
    if (file.Stamp.LastWrite == 0) {
        for (QLabel* l : {SizeLbl, DateLbl, TimeLbl}) {
            l->clear();
        }
        return;
    }
    const TDateTime date = FileTimeToDate(file.Stamp.LastWrite);
    SizeLbl->setText(QString::fromStdString(FormatNumber(file.Stamp.Size) + " Bytes"));
    DateLbl->setText(QString::fromStdString(FormatDateTime("ddddd", date)));
    TimeLbl->setText(QString::fromStdString(FormatDateTime("tt", date)));
}

void FileLabelBlock::Clear()
{
    for (QLabel* l : {DirLbl, NameLbl, SizeLbl, DateLbl, TimeLbl}) {
        l->clear();
    }
}

}  // namespace verdal
