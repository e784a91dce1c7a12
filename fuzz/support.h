// Helpers shared by the fuzz programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzzing {

// The input as bytes (no copy).
QByteArray Bytes(const uint8_t* data, size_t size);

// Writes the input to a scratch file (the same one on every call, inside a
// temporary folder that also serves as the program folder) and returns its
// path, for readers that take a file name.
QString WriteScratchFile(const uint8_t* data, size_t size, const QString& name = "input");

// The input as text the way a user could type or paste it (UTF-8).
QString Text(const uint8_t* data, size_t size);

// Makes the application object readers with windows or images need, once,
// on the offscreen platform.
void EnsureApplication();

} // namespace fuzzing
