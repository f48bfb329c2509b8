#include "app/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/HelpContexts.h"

namespace verdal {

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      Browser(new QTextBrowser(this)),
      BackBtn(new QPushButton(QStringLiteral("&Zurück"), this)),
      ForwardBtn(new QPushButton(QStringLiteral("&Vor"), this)),
      ContentsBtn(new QPushButton(QStringLiteral("&Inhalt"), this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Verdal 5 - Hilfe"));
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setAccessibleName(QStringLiteral("Hilfetext"));
    Browser->setOpenExternalLinks(true);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {BackBtn, "BackBtn"}, {ForwardBtn, "ForwardBtn"}, {ContentsBtn, "ContentsBtn"}};
    auto* row = new QHBoxLayout;
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(button->text().remove(QLatin1Char('&')));
        row->addWidget(button);
    }
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(Browser);
    resize(640, 520);
    BackBtn->setEnabled(false);
    ForwardBtn->setEnabled(false);
    connect(BackBtn, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardBtn, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(ContentsBtn, &QPushButton::clicked, this, [this] { ShowTopic(kHelpContents); });
    connect(Browser, &QTextBrowser::backwardAvailable, BackBtn, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardBtn, &QPushButton::setEnabled);
}

QUrl THelpWindow::PageOf(int context)
{
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(context));
}

bool THelpWindow::HasPage(int context)
{
    return QFile::exists(QStringLiteral(":/help/%1.html").arg(context));
}

bool THelpWindow::ShowTopic(int context)
{
    const bool found = HasPage(context);
    Browser->setSource(PageOf(found ? context : kHelpContents));
    return found;
}

THelpWindow* THelpWindow::Show(int context, QWidget* parent)
{
    static QPointer<THelpWindow> window;
    if (!window) {
        window = new THelpWindow(nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
        Q_UNUSED(parent);
    }
    window->ShowTopic(context);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace verdal
