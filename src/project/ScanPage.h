#pragma once
// ScanPage: the references of one page, each resolved, checked, given its icon, recorded
// in the LinkList and handed on at once, in the order found.

#include "project/FileIcons.h"
#include "project/LinkList.h"
#include "project/ScanSession.h"

#include <string>
#include <string_view>

namespace orvanel::project {

enum class LinkState {
    File,          // an existing file (with its fragment found, when it has one)
    WebAddress,    // Path kUrlPath
    Missing,       // no such file: Path empty, icon 0
    AnchorMissing, // the file exists but does not define the fragment: icon 0, Kind "href"
};

struct ScanEntry {
    std::string_view displayText; // the label of the child node
    const LinkRecord& record;
    std::string_view written;     // the reference as the page wrote it
    LinkState state;
    const CheckedPath* file;      // the file found (File and AnchorMissing), else nullptr
    std::string_view lookedFor;   // for Missing: the path where no file was found
};

class ScanSink {
public:
    virtual ~ScanSink() = default;
    virtual void entry(const ScanEntry& entry) = 0;
    // A reference with a fragment whose file (at `lookedFor`) does not exist: it gets no
    // entry and no record.
    virtual void fragmentToMissingFile(std::string_view written, std::string_view kind, std::string_view lookedFor)
    {
        (void)written;
        (void)kind;
        (void)lookedFor;
    }
};

struct ScanResult {
    enum class Outcome {
        Done,       // every reference of the page was delivered
        Unreadable, // the page, or a fragment's target, could not be read: the scan stopped there
    };
    Outcome outcome = Outcome::Done;
    std::string unreadablePath; // for Unreadable
};

// Nothing is scanned for a record whose Path is empty or kUrlPath. The icon of a file is
// shared by extension (FindExtensionIcon), else obtained with SetIcon. A fragment to a
// missing file gives no entry (see ScanSink); a reference taken from an image or frame tag
// with a fragment is listed as "href".
ScanResult ScanPage(const LinkRecord& page, LinkList& list, FileIconSource& icons, ScanSink& sink,
                    ScanSession& session);

} // namespace orvanel::project
