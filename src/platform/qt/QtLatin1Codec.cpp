#include "platform/qt/QtLatin1Codec.h"

#include <QString>

std::string QtLatin1Codec::toUtf8(std::string_view bytes) const {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

std::string QtLatin1Codec::fromUtf8(std::string_view text) const {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Characters beyond the code page become "?", one per character (a pair of surrogates is one).
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out += '?';
            ++i;
        } else {
            out += c.unicode() <= 0xFF ? c : QChar('?');
        }
    }
    const QByteArray bytes = out.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
