#pragma once

#include <QByteArray>
#include <QString>

// The text in Windows-1251, the single-byte code page the server reads; a character the
// code page lacks becomes "?".
QByteArray ToWindows1251(const QString& text);

// A query value: the Windows-1251 bytes, with "-", ".", "_", digits and ASCII letters kept
// and every other byte, the blank included, written as "%" and two upper-case hex digits.
QByteArray EncodeQueryValue(const QString& text);
