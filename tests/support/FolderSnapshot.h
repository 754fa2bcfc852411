#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The content hashes of every file under some folders, to show that a run changed nothing it should not have.
class FolderSnapshot
{
public:
    explicit FolderSnapshot(const QStringList& roots);

    // Files created, changed or deleted since the snapshot, except those under one of the allowed folders or
    // equal to one of the allowed files; empty when nothing else was touched.
    QStringList changesOutside(const QStringList& allowed) const;

private:
    static QMap<QString, QByteArray> take(const QStringList& roots);

    QStringList m_roots;
    QMap<QString, QByteArray> m_hashes;
};
