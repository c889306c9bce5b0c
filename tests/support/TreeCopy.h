#pragma once

#include <QString>

// Copies every file under one folder to the same place under another; false on the first failure.
bool copyTree(const QString &from, const QString &to);
