#include "TestAppFolder.h"

#include "core/Platform.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}
} // namespace

TestAppFolder::TestAppFolder(Converter converter, const QString& folderName)
    : m_path(folderName.isEmpty() ? m_dir.path() : m_dir.filePath(folderName))
{
    copyTree(LEAF_DATA_DIR "/bin", path() + "/bin");
    copyTree(LEAF_DATA_DIR "/random", path() + "/random");
    QFile::copy(LEAF_DATA_DIR "/lstcombinations.txt", path() + "/lstcombinations.txt");
    if (converter == RealConverter)
        QFile::link(LEAF_SYSTEM_CONVERTER, folders().converter());
}

AppFolders TestAppFolder::folders() const
{
    return AppFolders(QDir::toNativeSeparators(path()), Platform::separator());
}

void TestAppFolder::setConverterScript(const QString& script) const
{
    const QString converter = folders().converter();
    QFile::remove(converter);
    writeFile("bin/" + Platform::converterFileName(),
              ("#!/bin/sh\noptions=\nwhile [ $# -gt 2 ]; do options=\"$options $1\"; shift; done\n" + script + "\n")
                  .toUtf8());
    QFile::setPermissions(converter, QFile::permissions(converter) | QFileDevice::ExeOwner);
}

QString TestAppFolder::writeFile(const QString& relativePath, const QByteArray& bytes) const
{
    const QString target = path() + "/" + relativePath;
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return target;
}

QByteArray TestAppFolder::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
