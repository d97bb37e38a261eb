#pragma once

#include <QString>
#include <QStringList>

namespace kf {

// Name patterns of the sidecars that are not kept after a run.
QStringList colourBackupPatterns(); // *.bmp1.dat, *.jpg1.dat
QStringList placedCopyPatterns(); // *.bmp2.dat, *.jpg2.dat

// Deletes the files of folder (not its subfolders) whose names match one of
// patterns. Photos and their clean copies (*.bmp.dat) never match.
void deleteMatching(const QString& folder, const QStringList& patterns);

// Deletes the upload folder with its content. Without force, files the user
// cannot write (read-only) stay, and so do the folders holding them.
void removeUploadFolder(const QString& uploadFolder, bool force);

// Removes folder when it holds nothing.
void removeIfEmpty(const QString& folder);

// The clean-up of the exit button after its question was answered Yes:
// colour backups, the upload folder (read-only files too), placed copies.
void exitButtonCleanup(const QString& shootFolder, const QString& uploadFolder);

// The clean-up when the main window closes, whichever way: the upload folder
// (read-only files stay), colour backups, placed copies, and the run's
// folder itself when it holds nothing.
void closeCleanup(const QString& shootFolder, const QString& uploadFolder);

} // namespace kf
