#pragma once
// Lines of text files: CR LF, a lone CR or a lone LF end a line when read; CR LF when written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanel::text {

// A final line break does not start another (empty) line.
std::vector<std::string> splitLines(std::string_view text);
// Every line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The whole content of a file; nullopt (and errno in `error`) when it cannot be read.
std::optional<std::string> readFileBytes(const std::string& path, int* error = nullptr);
// Reads a data file into UTF-8 lines (decodeDataFile + splitLines). Throws
// fileOpenError when the file cannot be opened.
std::vector<std::string> readDataFileLines(const std::string& path);
// Writes UTF-8 lines with CR LF (encodeDataFile), atomically: a temporary file beside the
// target, then rename. Throws fileWriteError when it cannot; the old file then stays whole.
void writeDataFileLines(const std::string& path, const std::vector<std::string>& lines);
// Writes bytes atomically (temporary file, then rename); throws fileWriteError.
void writeFileAtomically(const std::string& path, std::string_view bytes);
// Renames (moves) the file `from` to `to`, replacing a file there; false when it cannot.
bool renameFile(const std::string& from, const std::string& to);
// Whether anything (a file, a folder, a link, even a broken one) is at `path`.
bool pathExists(const std::string& path);

} // namespace orvanel::text
