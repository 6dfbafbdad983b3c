#pragma once
// What a reference points to: a web or other address, or a file (with a fragment or not),
// resolved against the folder of the page it stands in.

#include "insert/RelativePath.h"

#include <string>
#include <string_view>

namespace orvanel::project {

// Whether `link` begins with a scheme: a letter, then letters, digits, "+", "-" or ".",
// then ":", the scheme being longer than one character (so that "C:" stays a drive).
bool hasScheme(std::string_view link);

struct ResolvedLink {
    std::string path;          // the full path, or kUrlPath for an address
    std::string_view fragment; // the anchor name after "#" (part of the reference)
    bool hasFragment = false;

    // The reference as shown: as written, less a leading "./".
    std::string_view display() const { return relativeShown ? std::string_view(shown) : written; }

    std::string_view written; // the reference as written, less a leading "./"
    bool relativeShown = false;
    std::string shown;        // a Windows path shown relative to the page's folder
};

// ResolveLink: `folder` is the folder of the page with its trailing separator, `page` the
// page's own path. `out` refers to `link`, which must outlive it, and is filled anew (its
// strings keep their room from one reference to the next).
// - An address ("http:", "https:", "mailto:", any scheme, or a text holding "http://" or
//   "ftp://") is kUrlPath.
// - In Windows style a text holding "\" is a file path: shown relative to the folder when it
//   lies on the page's drive, and taken as it is shown, after the folder.
// - Otherwise it is a file relative to the page's folder: "./" at its start is dropped, a
//   "#" starts a fragment, "/" is the separator. A leading "/" does not lead to the root
//   of the file system: the reference is still taken after the page's folder, as the
//   program always did. A reference with no file part (only a fragment, or empty) is the
//   page itself.
void ResolveLink(std::string_view link, const std::string& folder, const std::string& page,
                 insert::PathStyle style, ResolvedLink& out);

} // namespace orvanel::project
