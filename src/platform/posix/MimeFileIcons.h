#pragma once
// File icons from the shared MIME database: the type of the file (by its name, then by its
// content), and that type's icon names.

#include "platform/FileIcons.h"

namespace orvanel {

class MimeFileIcons final : public FileIcons {
public:
    FileIconLookup iconOf(const std::string& path) override;
};

} // namespace orvanel
