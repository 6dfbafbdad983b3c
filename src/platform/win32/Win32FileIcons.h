#pragma once
// File icons from the shell: the small icon it shows for a file, read into ARGB pixels.

#include "platform/FileIcons.h"

namespace orvanel::win32 {

class Win32FileIcons final : public FileIcons {
public:
    // NoIcon when there is no file at `path`; Found with the shell's picture, or without a
    // picture (the generic file picture) when the shell's icon could not be read.
    FileIconLookup iconOf(const std::string& path) override;
};

} // namespace orvanel::win32
