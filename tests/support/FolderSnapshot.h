// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCryptographicHash>
#include <QDirIterator>
#include <QMap>

#include <algorithm>

// The content hashes of every file under some folders, to show that a run changed nothing it should not have.
class FolderSnapshot
{
public:
    explicit FolderSnapshot(const QStringList& roots)
        : m_roots(roots)
        , m_hashes(take(roots))
    {}

    // Files created, changed or deleted since the snapshot, except those under one of the allowed folders or
    // equal to one of the allowed files; empty when nothing else was touched.
    QStringList changesOutside(const QStringList& allowed) const
    {
        const QMap<QString, QByteArray> now = take(m_roots);
        QStringList paths = m_hashes.keys() + now.keys();
        paths.removeDuplicates();
        paths.sort();
        paths.removeIf([&](const QString& path) {
            return m_hashes.value(path) == now.value(path) ||
                   std::any_of(allowed.cbegin(), allowed.cend(), [&path](const QString& entry) {
                       return path == QDir::cleanPath(entry) || path.startsWith(QDir::cleanPath(entry) + '/');
                   });
        });
        return paths;
    }

private:
    static QMap<QString, QByteArray> take(const QStringList& roots)
    {
        QMap<QString, QByteArray> hashes;
        for (const QString& root : roots) {
            QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = QDir::cleanPath(it.next());
                QFile file(path);
                QCryptographicHash hash(QCryptographicHash::Sha256);
                // An unreadable file is compared by its presence alone, and so is a device or a pipe, whose
                // reading might never end.
                if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
                    hash.addData(&file);
                hashes.insert(path, hash.result());
            }
        }
        return hashes;
    }

    QStringList m_roots;
    QMap<QString, QByteArray> m_hashes;
};
