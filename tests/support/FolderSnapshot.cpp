#include "FolderSnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>

FolderSnapshot::FolderSnapshot(const QStringList& roots)
    : m_roots(roots)
    , m_hashes(take(roots))
{}

QMap<QString, QByteArray> FolderSnapshot::take(const QStringList& roots)
{
    QMap<QString, QByteArray> hashes;
    for (const QString& root : roots) {
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QDir::cleanPath(it.next());
            QFile file(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            // An unreadable file is compared by its presence alone, and so is a device or a pipe, whose reading
            // might never end.
            if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
                hash.addData(&file);
            hashes.insert(path, hash.result());
        }
    }
    return hashes;
}

QStringList FolderSnapshot::changesOutside(const QStringList& allowed) const
{
    const auto isAllowed = [&allowed](const QString& path) {
        for (const QString& entry : allowed) {
            const QString clean = QDir::cleanPath(entry);
            if (path == clean || path.startsWith(clean + '/'))
                return true;
        }
        return false;
    };
    const QMap<QString, QByteArray> now = take(m_roots);
    QSet<QString> paths(m_hashes.keyBegin(), m_hashes.keyEnd());
    paths.unite(QSet<QString>(now.keyBegin(), now.keyEnd()));
    QStringList changes;
    for (const QString& path : paths) {
        if (m_hashes.value(path) != now.value(path) && !isAllowed(path))
            changes.append(path);
    }
    changes.sort();
    return changes;
}
