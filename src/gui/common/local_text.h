#pragma once
// Text of the program's files and the pure code is 8-bit in the system's
// code page; these two convert it for the windows and back.

#include <QString>
#include <string>

namespace kv {

inline QString local(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }
inline std::string local(const QString& s) { return s.toLocal8Bit().toStdString(); }

}  // namespace kv
