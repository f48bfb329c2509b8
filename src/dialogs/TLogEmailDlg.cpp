#include "dialogs/TLogEmailDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <atomic>

#include "dialogs/DialogServices.h"
#include "dialogs/NamedControls.h"
#include "mail/LogMail.h"

namespace verdal {
namespace {

QLineEdit* Field(QFormLayout* form, const QString& caption, const QByteArray& name, QWidget* parent)
{
    auto* edit = Named(new QLineEdit(parent), name.constData());
    form->addRow(BuddyLabel(caption, edit, parent), edit);
    return edit;
}

std::string Text(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

}  // namespace

TLogEmailDlg::TLogEmailDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("E-Mail"));
    auto* layout = new QVBoxLayout(this);
    auto* sender = new QGroupBox(QStringLiteral("Absender"), this);
    auto* senderForm = new QFormLayout(sender);
    SenderNameEdt = Field(senderForm, QStringLiteral("Name:"), "SenderNameEdt", sender);
    SenderAddressEdt = Field(senderForm, QStringLiteral("Adresse:"), "SenderAddressEdt", sender);
    layout->addWidget(sender);

    auto* recipients = new QGroupBox(QStringLiteral("Empfänger"), this);
    auto* recipientForm = new QFormLayout(recipients);
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        RecipientNameEdt[i] = Field(recipientForm, QStringLiteral("Name %1:").arg(n),
                                    "Recipient" + n.toLatin1() + "NameEdt", recipients);
        RecipientAddressEdt[i] = Field(recipientForm, QStringLiteral("Adresse %1:").arg(n),
                                       "Recipient" + n.toLatin1() + "AddressEdt", recipients);
    }
    layout->addWidget(recipients);

    auto* form = new QFormLayout;
    SubjectPrefixEdt = Field(form, QStringLiteral("Betreff-Präfix:"), "SubjectPrefixEdt", this);
    SmtpServerEdt = Field(form, QStringLiteral("SMTP-Server:"), "SmtpServerEdt", this);
    layout->addLayout(form);
    AttachmentChk =
        Named(new QCheckBox(QStringLiteral("Als Anhang verschicken"), this), "AttachmentChk");
    layout->addWidget(AttachmentChk);

    TestBtn = Named(new QPushButton(QStringLiteral("&Testen"), this), "TestBtn");
    TestBtn->setToolTip(QStringLiteral("Schickt eine Testnachricht an die Empfänger"));
    TestLbl = Named(new QLabel(this), "TestLbl", QStringLiteral("Ergebnis des Tests"));
    TestLbl->setWordWrap(true);
    TestLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(TestBtn, 0, Qt::AlignLeft);
    layout->addWidget(TestLbl);

    auto* buttons = new QDialogButtonBox(this);
    OkBtn = Named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkBtn");
    CancelBtn = Named(buttons->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole),
                      "CancelBtn");
    HelpBtn =
        Named(buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole), "HelpBtn");
    OkBtn->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { DialogServices::ShowHelp(this, 40); });
    connect(TestBtn, &QPushButton::clicked, this, &TLogEmailDlg::SendTest);
}

void TLogEmailDlg::LoadFrom(const cParameters& params)
{
    const cLogParameters& log = params.Log;
    base_ = log;
    const auto set = [](QLineEdit* edit, const std::string& text) {
        edit->setText(QString::fromStdString(text));
    };
    set(SenderNameEdt, log.SenderName);
    set(SenderAddressEdt, log.SenderAddress);
    set(RecipientNameEdt[0], log.Recipient1Name);
    set(RecipientAddressEdt[0], log.Recipient1Address);
    set(RecipientNameEdt[1], log.Recipient2Name);
    set(RecipientAddressEdt[1], log.Recipient2Address);
    set(RecipientNameEdt[2], log.Recipient3Name);
    set(RecipientAddressEdt[2], log.Recipient3Address);
    set(SubjectPrefixEdt, log.SubjectPrefix);
    set(SmtpServerEdt, log.SmtpServer);
    AttachmentChk->setChecked(log.AsAttachment);
}

cLogParameters TLogEmailDlg::Current() const
{
    cLogParameters log = base_;
    log.SenderName = Text(SenderNameEdt);
    log.SenderAddress = Text(SenderAddressEdt);
    log.Recipient1Name = Text(RecipientNameEdt[0]);
    log.Recipient1Address = Text(RecipientAddressEdt[0]);
    log.Recipient2Name = Text(RecipientNameEdt[1]);
    log.Recipient2Address = Text(RecipientAddressEdt[1]);
    log.Recipient3Name = Text(RecipientNameEdt[2]);
    log.Recipient3Address = Text(RecipientAddressEdt[2]);
    log.SubjectPrefix = Text(SubjectPrefixEdt);
    log.SmtpServer = Text(SmtpServerEdt);
    log.AsAttachment = AttachmentChk->isChecked();
    return log;
}

void TLogEmailDlg::SaveTo(cParameters& params) const
{
    const cLogParameters current = Current();
    cLogParameters& log = params.Log;
    log.SenderName = current.SenderName;
    log.SenderAddress = current.SenderAddress;
    log.Recipient1Name = current.Recipient1Name;
    log.Recipient1Address = current.Recipient1Address;
    log.Recipient2Name = current.Recipient2Name;
    log.Recipient2Address = current.Recipient2Address;
    log.Recipient3Name = current.Recipient3Name;
    log.Recipient3Address = current.Recipient3Address;
    log.SubjectPrefix = current.SubjectPrefix;
    log.SmtpServer = current.SmtpServer;
    log.AsAttachment = current.AsAttachment;
    params.Modified = true;
}

bool TLogEmailDlg::SendTest()
{
    TestBtn->setEnabled(false);
    TestLbl->setText(QStringLiteral("Sende Testnachricht..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::atomic<bool> cancel{false};
    MailHooks hooks;
    hooks.Pump = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    hooks.CancelFlag = &cancel;
    hooks.TimeOut = 30;
    std::string answer;
    const bool sent = SendTestMail(Current(), hooks, answer);
    QApplication::restoreOverrideCursor();
    TestLbl->setText(QString::fromStdString(answer).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    TestBtn->setEnabled(true);
    return sent;
}

}  // namespace verdal
