#pragma once
// Basic text and value types shared by every layer.
#include <QString>
#include <QByteArray>
#include <cstdint>

using String = QString;        // UTF-16 text
using AnsiString = QByteArray; // 8-bit bytes; text in it is Windows-1252
using TDateTime = double;      // days since 1899-12-30, fraction = time of day
