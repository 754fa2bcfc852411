#include "core/PdfNames.h"

#include "core/vParser.h"

QString ArticleOutputName(const QString& path, QChar separator)
{
    QString name = path.mid(path.lastIndexOf(separator) + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    name = vParser::Replace(name, "_", "-");
    name = vParser::Replace(name, " ", "-");
    return name + ".txt";
}
