#pragma once
// The records of the project manager's site tree: one per top page and per reference
// found, kept alive as long as the window lives, since the tree nodes point at them.

#include "insert/RelativePath.h"
#include "project/TextStore.h"
#include "text/StringHash.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvanel::project {

// What a record's Path holds for a web or other address.
inline constexpr std::string_view kUrlPath = "URL";

// Icon indices of the window's image list.
inline constexpr std::int32_t kBrokenIcon = 0;   // red cross: the file does not exist
inline constexpr std::int32_t kDocumentIcon = 1; // a generic document (no rule selects it)
inline constexpr std::int32_t kUrlIcon = 2;      // a web address
inline constexpr std::int32_t kNoIconFound = -1; // FindExtensionIcon: no record to share

// The texts of a record are held by its LinkList.
struct LinkRecord {
    std::string_view Path;      // the resolved full path, kUrlPath, or empty when broken
    std::string_view Kind;      // "TopPage", "href", "img" or "frame"
    std::string_view Extension; // ".html": from the last "." of the file name; may be empty
    std::int32_t IconIndex = kBrokenIcon;
};

// The extension of `path`, dot included: from the last "." after the last separator (and,
// in Windows style, the last ":") to the end; empty when there is none.
std::string_view extensionOf(std::string_view path, insert::PathStyle style);

class LinkList {
public:
    // What Add keeps: every record until Clear (the window's tree points at them), or only
    // the newest until the next Add (a walk that hands each record on and forgets it), which
    // then refers to the texts given to Add: they must last as long.
    enum class Keep { Every, Newest };

    explicit LinkList(insert::PathStyle style = insert::nativePathStyle(), Keep keep = Keep::Every)
        : style_(style), keep_(keep)
    {
    }
    LinkList(const LinkList&) = delete;
    LinkList& operator=(const LinkList&) = delete;

    // Creates a record with its Extension; it stays at the same address until Clear (with
    // Keep::Newest, until the next Add).
    LinkRecord& Add(std::string_view path, std::string_view kind, std::int32_t iconIndex)
    {
        return Add(path, kind, iconIndex, extensionOf(path, style_));
    }
    // The same with extensionOf(path), when the caller has it at hand, and with what
    // FindExtensionIcon(extension) gave, when the caller has asked it since the last Add.
    LinkRecord& Add(std::string_view path, std::string_view kind, std::int32_t iconIndex, std::string_view extension,
                    std::int32_t sharedIcon = kNoIconFound);
    // The icon of the newest record whose Extension is `extension` exactly and whose
    // IconIndex is above 0; kNoIconFound when there is none. An empty extension is a key
    // like any other (web address records have one).
    std::int32_t FindExtensionIcon(std::string_view extension) const;
    void Clear();
    std::size_t size() const { return size_; }

private:
    insert::PathStyle style_;
    Keep keep_;
    // Keep::Newest: the one record.
    LinkRecord newest_;
    // The records, in blocks that never move, so that a record keeps its address.
    std::vector<std::unique_ptr<LinkRecord[]>> records_;
    std::size_t size_ = 0;
    std::size_t recordBlock_ = 0; // the size of the newest block
    std::size_t recordsLeft_ = 0; // the unused records at its end
    // The texts of the records, so that a record costs no allocation of its own.
    TextStore texts_;
    // The answer of FindExtensionIcon, kept up to date by Add so that it costs no walk. A
    // site uses a handful of extensions: while they are few they are looked through in a row.
    class SharedIcons {
    public:
        std::int32_t find(std::string_view extension) const;
        void set(std::string_view extension, std::int32_t icon);
        void clear();

    private:
        static constexpr std::size_t kFew = 16;
        // An extension of a few letters, compared as one number before its text.
        struct Few {
            std::uint64_t head;
            std::string extension;
            std::int32_t icon;
        };
        static std::uint64_t headOf(std::string_view extension);
        // Where `extension` is among the few; few_.size() when it is not.
        std::size_t placeOf(std::string_view extension) const;
        std::vector<Few> few_;
        std::unordered_map<std::string, std::int32_t, text::StringHash, std::equal_to<>> many_;
    };
    SharedIcons sharedIcons_;
};

} // namespace orvanel::project
