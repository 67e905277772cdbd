#include "online/QueryEncoding.h"

#include "base/Windows1251.h"

namespace {

bool KeptAsIs(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '.' || c == '_';
}

} // namespace

QByteArray EncodeQueryValue(const QString& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray encoded;
    for (const char c : ToWindows1251(text)) {
        if (KeptAsIs(c)) {
            encoded += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += kHex[b >> 4];
            encoded += kHex[b & 0x0F];
        }
    }
    return encoded;
}
