#include "platform/ui/FileFilter.h"

#include <QRegularExpression>
#include <QString>

#include <filesystem>

QStringList ToQtNameFilters(std::string_view filter)
{
    const QStringList fields =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(u'|');
    // A trailing "|" leaves an empty last field; pairs stop at the first incomplete one.
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        QString description = fields[i].trimmed();
        QStringList patterns = fields[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        description.remove(trailingPatterns);
        if (description.isEmpty())
            description = patterns.join(u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(u' ')));
    }
    return filters;
}

std::string StartFolder(const std::string& start)
{
    namespace fs = std::filesystem;
    if (start.empty())
        return {};
    std::error_code error;
    const fs::path path(start);
    if (fs::is_directory(path, error))
        return start;
    return path.parent_path().string();
}
