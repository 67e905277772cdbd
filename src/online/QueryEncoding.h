#pragma once

#include <QByteArray>
#include <QString>

// A query value: the Windows-1251 bytes (the code page the server reads), with "-", ".", "_", digits and
// ASCII letters kept and every other byte, the blank included, written as "%" and two upper-case hex digits.
QByteArray EncodeQueryValue(const QString& text);
