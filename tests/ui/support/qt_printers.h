#pragma once

#include <ostream>

#include <QString>
#include <QStringList>

// Readable failure messages for Qt strings in GoogleTest assertions.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << "{\n";
  for (const QString& text : texts) *out << "  \"" << text.toStdString() << "\"\n";
  *out << "}";
}
