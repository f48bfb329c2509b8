#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace verdal {

// The help window: German pages compiled into the program (resources/help/<topic>.html),
// opened at the topic of a help context, with back, forward and contents.
class THelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page of `context`; false (and the contents page) when there is none.
    bool ShowTopic(int context);
    // The one help window of the program, brought up at `context`.
    static THelpWindow* Show(int context, QWidget* parent = nullptr);

    // The page of a context in the compiled resources.
    static QUrl PageOf(int context);
    static bool HasPage(int context);

    QTextBrowser* Browser;
    QPushButton* BackBtn;
    QPushButton* ForwardBtn;
    QPushButton* ContentsBtn;
};

}  // namespace verdal
