#pragma once

#include <QString>
#include <QStringList>

// The recent-file list of the File menu: up to five absolute paths, the most
// recent first, kept in the settings group "Recent File List" under the keys
// File1 .. File5.
class CRecentFileList {
public:
    static constexpr int kMaxFiles = 5;

    // Reads the list from the settings; empty keys are skipped, duplicates
    // and entries beyond five dropped.
    void Load();
    // Writes the list to the settings, replacing the group.
    void Save() const;

    // Puts `path` (made absolute) first; an entry already in the list moves up.
    void Add(const QString& path);
    // Takes `path` out of the list, if it is there.
    void Remove(const QString& path);

    int Count() const { return static_cast<int>(m_files.size()); }
    QString At(int index) const { return m_files.value(index); }
    const QStringList& Files() const { return m_files; }

    // The menu text of entry `index`: "&1 name" with the file's name, or its
    // whole path where two entries share a name.
    QString MenuText(int index) const;

    // Settings group of the list.
    static const char* const kSection;

private:
    QStringList m_files;
};
