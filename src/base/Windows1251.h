#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1251, the single-byte code page of older files and of the maker's server.

// Every byte a character; the unassigned byte 0x98 becomes U+FFFD.
QString DecodeWindows1251(QByteArrayView bytes);

// Every character a byte; a character the code page lacks (one beyond the basic plane
// included) becomes "?".
QByteArray ToWindows1251(const QString& text);
