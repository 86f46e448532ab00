#pragma once
// Whole-file reading and safe replacement, with Spanish messages, for the
// files Velmora writes beside the user's own (the result document, the
// settings file).
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "formats/byte_buffer.h"

namespace velmora {

// A path as UTF-8 text, for messages.
std::string PathText(const std::filesystem::path& path);

// Why an operating-system call failed, in Spanish.
std::string ReasonText(std::error_code ec);

// The file's bytes. A failure is an Error: "No se puede leer el archivo «…»: …".
std::string ReadFileBytes(const std::filesystem::path& file);
// The same, into a buffer whose bytes are not cleared before the read fills
// them: for large files.
ByteBuffer ReadFileBuffer(const std::filesystem::path& file);

// Writes `bytes` to a temporary file in the target's folder, flushes it to
// disk and renames it over the target, so that the target is either the old
// file or the new one, never half of one. A read-only target is refused (as
// Windows refuses it), and the new file keeps the old one's permissions.
// A failure is an Error: "No se puede escribir en «…»: …"; the target stays
// as it was and no temporary file is left behind.
void ReplaceFileBytes(const std::filesystem::path& target, std::string_view bytes);

// For the programs' start: a write beyond the limit on file sizes (ulimit -f)
// fails with an error the run reports and recovers from, as on a full disk,
// instead of killing the program half-way through its tables.
void WritesBeyondSizeLimitFail();

}  // namespace velmora
