// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileNames.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

namespace FileNames {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("FileNames", text);
}

bool holdsForbiddenCharacter(const QString& name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return forbidden.contains(c) || c.unicode() < 32; });
}

// Windows takes the part before the first dot, trailing blanks dropped, for the device.
bool isDeviceName(const QString& name)
{
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}
} // namespace

Result<> check(const QString& name)
{
    QString reason;
    if (name.trimmed().isEmpty())
        reason = tr("a file name cannot be empty or only blanks.");
    else if (holdsForbiddenCharacter(name))
        reason = tr("a file name cannot hold any of \\ / : * ? \" < > | nor a control character.");
    else if (name.count(u'.') == name.size())
        reason = tr("a file name cannot be only dots.");
    else if (name.startsWith(u'.'))
        reason = tr("a file name cannot start with a dot.");
    else if (name.endsWith(u'.') || name.endsWith(u' '))
        reason = tr("a file name cannot end in a dot or a blank.");
    else if (isDeviceName(name))
        reason = tr("Windows reserves it for a device.");
    else if (const qsizetype bytes = name.toUtf8().size(); bytes > MaxBytes)
        reason = tr("it takes %1 bytes, a file name at most %2 (a letter beyond A to Z takes two or more).")
                     .arg(bytes)
                     .arg(MaxBytes);
    else
        return Result<>::ok();
    return Error{tr("The name \"%1\" cannot be used: %2").arg(name, reason)};
}

} // namespace FileNames
