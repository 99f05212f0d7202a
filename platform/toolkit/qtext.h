#pragma once
// Record text is UTF-8 bytes; widgets show QString. Convert only at the widget.

#include <QString>
#include <string>
#include <string_view>

namespace toolkit {

inline QString toQ(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string fromQ(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

}  // namespace toolkit
