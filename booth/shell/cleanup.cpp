#include "cleanup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kf {

QStringList colourBackupPatterns()
{
    return {QStringLiteral("*.bmp1.dat"), QStringLiteral("*.jpg1.dat")};
}

QStringList placedCopyPatterns()
{
    return {QStringLiteral("*.bmp2.dat"), QStringLiteral("*.jpg2.dat")};
}

void deleteMatching(const QString& folder, const QStringList& patterns)
{
    if (folder.isEmpty())
        return;
    QDir dir(folder);
    // Patterns match without regard to case, as every name below the
    // application folder does.
    const QStringList names = dir.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        QFile::remove(dir.filePath(name));
}

void removeUploadFolder(const QString& uploadFolder, bool force)
{
    if (uploadFolder.isEmpty() || !QFileInfo(uploadFolder).isDir())
        return;
    if (force) {
        QDir(uploadFolder).removeRecursively();
        return;
    }
    // Deepest entries first, so each folder is empty when its turn comes.
    QDirIterator it(uploadFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDirIterator::Subdirectories);
    QStringList folders;
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isDir() && !info.isSymLink())
            folders.prepend(info.filePath());
        else if ((info.permissions() & QFile::WriteOwner)
            || info.isSymLink()) // read-only = no owner write bit
            QFile::remove(info.filePath());
    }
    for (const QString& f : folders)
        QDir().rmdir(f);
    QDir().rmdir(uploadFolder);
}

void removeIfEmpty(const QString& folder)
{
    if (folder.isEmpty())
        return;
    QDir dir(folder);
    if (dir.exists() && dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        QDir().rmdir(folder);
}

void exitButtonCleanup(const QString& shootFolder, const QString& uploadFolder)
{
    deleteMatching(shootFolder, colourBackupPatterns());
    removeUploadFolder(uploadFolder, true);
    deleteMatching(shootFolder, placedCopyPatterns());
}

void closeCleanup(const QString& shootFolder, const QString& uploadFolder)
{
    removeUploadFolder(uploadFolder, false);
    deleteMatching(shootFolder, colourBackupPatterns());
    deleteMatching(shootFolder, placedCopyPatterns());
    removeIfEmpty(shootFolder);
}

} // namespace kf
