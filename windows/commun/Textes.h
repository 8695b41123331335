#pragma once
// Conversions between core texts (UTF-8 std::string) and what the widgets show.
#include <QString>

#include <string>
#include <string_view>

namespace vuv {

inline QString qs(const std::string& t) { return QString::fromStdString(t); }
inline QString qs(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }
inline QString qs(const char* t) { return QString::fromUtf8(t); }
inline std::string ss(const QString& t) { return t.toStdString(); }

// Message texts use CR, LF or CR LF for a line break; widgets want LF.
inline QString lignes_affichees(QString t) {
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace vuv
