#include "app/qt/RecentFileList.h"

#include "app/qt/QtProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

const char* const CRecentFileList::kSection = "Recent File List";

namespace {

QString Absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString KeyOf(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void CRecentFileList::Load() {
    QSettings settings = ProgramSettings();
    settings.beginGroup(QString::fromUtf8(kSection));
    m_files.clear();
    for (int i = 0; i < kMaxFiles; ++i) {
        const QVariant value = settings.value(KeyOf(i));
        const QString path = value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(QStringLiteral(", "))
                                 : value.toString();
        if (!path.isEmpty() && !m_files.contains(Absolute(path)))
            m_files << Absolute(path);
    }
}

void CRecentFileList::Save() const {
    QSettings settings = ProgramSettings();
    settings.remove(QString::fromUtf8(kSection));
    settings.beginGroup(QString::fromUtf8(kSection));
    for (int i = 0; i < Count(); ++i)
        settings.setValue(KeyOf(i), m_files[i]);
    settings.endGroup();
    settings.sync();
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = Absolute(path);
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
}

void CRecentFileList::Remove(const QString& path) {
    m_files.removeAll(Absolute(path));
}

QString CRecentFileList::MenuText(int index) const {
    const QString path = At(index);
    const QString name = QFileInfo(path).fileName();
    bool shared = false;
    for (int i = 0; i < Count(); ++i)
        if (i != index && QFileInfo(m_files[i]).fileName() == name)
            shared = true;
    QString shown = shared ? QDir::toNativeSeparators(path) : name;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
