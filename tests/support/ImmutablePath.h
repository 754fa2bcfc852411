#pragma once

#include <QString>

// Makes a file or folder unchangeable for as long as this object lives, for root too, whom permissions do not
// stop: the file system's immutable flag. isSet() is false where the flag cannot be set (no chattr, a file system
// without the flag, no privilege to set it).
class ImmutablePath
{
public:
    explicit ImmutablePath(const QString& path);
    ~ImmutablePath();
    ImmutablePath(const ImmutablePath&) = delete;
    ImmutablePath& operator=(const ImmutablePath&) = delete;

    bool isSet() const { return m_set; }

private:
    QString m_path;
    bool m_set;
};
