#pragma once

#include "RecordingPrompt.h"
#include "StorageSandbox.h"

#include <QByteArray>
#include <QString>

// The file targets' folder: a copy of the shipped modules/ tree made current once per process, a
// prompt that answers every box, and writes that readers always see.
namespace FuzzFiles {

// What a file target does before its first input: quiet messages, an application object (with
// widgets for the view), the folder and the prompt.
void start(bool widgets);

// Made on first use; never destroyed, the targets run until the process ends.
StorageSandbox &sandbox();
RecordingPrompt &prompt();

// Writes content to path with a modification time no earlier write had: QSettings keeps parsed
// files by path and reads one again only when its size or time changed.
void write(const QString &path, const QByteArray &content);
// A file name made from input: no separator, no NUL, short enough for any file system.
QString fileName(const QByteArray &input);

// Puts a file back as the shipped tree has it, or removes it when the tree has none.
void restore(const QString &relativePath);

} // namespace FuzzFiles
