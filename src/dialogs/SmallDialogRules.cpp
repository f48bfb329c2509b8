#include "dialogs/SmallDialogRules.h"

#include <QRegularExpression>

namespace verdal {

QString InsertAtCaret(const QString& text, int& caret, const QString& variable)
{
    caret = std::clamp(caret, 0, static_cast<int>(text.size()));
    QString result = text;
    result.insert(caret, variable);
    caret += static_cast<int>(variable.size());
    return result;
}

BrowseStart BrowseStartOf(const QString& text)
{
    static const QRegularExpression refused(QStringLiteral("[\"<>|]"));
    if (text.contains(refused)) {
        return {};
    }
    const int slash = static_cast<int>(text.lastIndexOf(QLatin1Char('/')));
    if (slash < 0) {
        return {QString(), text};
    }
    return {slash == 0 ? QStringLiteral("/") : text.left(slash), text.mid(slash + 1)};
}

std::string LauncherPath(const std::string& folder, const std::string& documentPath)
{
    const size_t slash = documentPath.find_last_of('/');
    const std::string name =
        slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    std::string base = folder;
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return (base == "/" ? base : base + "/") + name + ".desktop";
}

std::string LauncherArguments(const std::string& documentPath, bool mute)
{
    std::string arguments = "\"" + documentPath + "\"";
    if (mute) {
        arguments += " /mute";
    }
    return arguments;
}

QString SystemLine(const QString& kernelType, const QString& kernelRelease, const QString& product,
                   const QString& machine)
{
    static const QRegularExpression numbers(QStringLiteral(R"(^(\d+)(?:\.(\d+))?(?:[.-](\d+))?)"));
    const QRegularExpressionMatch match = numbers.match(kernelRelease);
    const int major = match.captured(1).toInt();
    const int minor = match.captured(2).toInt();
    const int build = match.captured(3).toInt();
    QString type = kernelType;
    if (!type.isEmpty()) {
        type[0] = type[0].toUpper();
    }
    return QStringLiteral("%1 Version %2.%3 Build %4 %5 (%6)")
        .arg(type)
        .arg(major)
        .arg(minor)
        .arg(build)
        .arg(product, machine);
}

}  // namespace verdal
