#pragma once

#include <QString>
#include <QStringList>

// Copies every file under one folder to the same place under another, leaving out the named
// folders directly under it; false on the first failure.
bool copyTree(const QString &from, const QString &to, const QStringList &leaveOut = {});

// A modules/ folder as an install has it: the skins and sounds generated into the build's folder,
// and the files the program writes taken from the shipped tree, since a hand run of the build's
// program may have changed them there.
bool copyFreshModules(const QString &built, const QString &shipped, const QString &to);
