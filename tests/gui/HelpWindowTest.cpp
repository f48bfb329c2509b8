#include "app/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <set>

#include "GuiFixture.h"
#include "app/HelpContexts.h"

using namespace verdal;

namespace {

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every help context the sources name: the topics of HelpContexts.h and other kHelp
// constants, the numbers of the program messages, and literal "HelpContext = n" settings.
std::set<int> ContextsUsedInSources()
{
    std::set<int> contexts;
    const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral(R"(\bkHelp\w*\s*=\s*(\d+))")),
        QRegularExpression(QStringLiteral(R"(\bkMsg\w*\s*=\s*(\d+))")),
        QRegularExpression(QStringLiteral(R"(\bHelpContext\s*=\s*(\d+))")),
    };
    QDir src(QStringLiteral(VERDAL_SOURCE_DIR "/src"));
    const QStringList files = [&] {
        QStringList all;
        for (const QString& folder : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDir sub(src.filePath(folder));
            for (const QString& name : sub.entryList({"*.h", "*.cpp"}, QDir::Files)) {
                all << sub.filePath(name);
            }
        }
        return all;
    }();
    for (const QString& path : files) {
        const QString text = ReadText(path);
        for (const QRegularExpression& pattern : patterns) {
            for (auto it = pattern.globalMatch(text); it.hasNext();) {
                const int context = it.next().captured(1).toInt();
                if (context > 0) {
                    contexts.insert(context);
                }
            }
        }
    }
    return contexts;
}

class HelpWindowTest : public test::GuiTest
{};

}  // namespace

TEST_F(HelpWindowTest, EveryContextInTheCode_HasACompiledPage)
{
    const std::set<int> contexts = ContextsUsedInSources();
    ASSERT_GT(contexts.size(), 10u);
    EXPECT_TRUE(contexts.count(kHelpInternalError));
    EXPECT_TRUE(contexts.count(30017));
    for (int context : contexts) {
        EXPECT_TRUE(THelpWindow::HasPage(context)) << "no help page for context " << context;
    }
}

TEST_F(HelpWindowTest, EveryLinkBetweenPages_Resolves)
{
    const QRegularExpression link(QStringLiteral(R"(href="([^"#:]+\.html)(#[^"]*)?")"));
    QDir pages(QStringLiteral(":/help"));
    const QStringList names = pages.entryList({"*.html"}, QDir::Files);
    ASSERT_GT(names.size(), 10);
    for (const QString& name : names) {
        const QString text = ReadText(pages.filePath(name));
        EXPECT_TRUE(text.contains(QStringLiteral("<h1>"))) << name.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(QFile::exists(pages.filePath(target)))
                << name.toStdString() << " links to missing " << target.toStdString();
        }
    }
}

TEST_F(HelpWindowTest, ShowTopic_OpensPageOrContents)
{
    THelpWindow window;
    EXPECT_TRUE(window.ShowTopic(kHelpMainWindow));
    EXPECT_TRUE(window.Browser->toPlainText().contains("Das Hauptfenster"));
    EXPECT_FALSE(window.ShowTopic(987654));
    EXPECT_EQ(window.Browser->source(), THelpWindow::PageOf(kHelpContents));
}
