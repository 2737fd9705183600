#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <QFile>
#include <QString>

#include "engine/io_error.h"

namespace bruso {

// Card codes, hand texts and move lines are bytes: Latin-1 maps every byte to one character
// and back, so whatever a user's file holds comes back unchanged.
inline QString ToQString(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) { return text.toLatin1().toStdString(); }

// File names follow the file system's own encoding instead.
inline QString PathToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

inline std::filesystem::path QStringToPath(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// The text of a failed file operation for a message box: the message and the file.
inline QString ErrorText(const IoError& error) {
  return ToQString(error.message()) + QStringLiteral(": ") + PathToQString(error.path());
}

}  // namespace bruso
