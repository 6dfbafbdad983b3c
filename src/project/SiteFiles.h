#pragma once
// The files of a site as the scanner sees them: whether a path names a plain file, and the
// bytes of a page. Each system has its implementation (SiteFiles_posix.cpp,
// SiteFiles_win32.cpp); tests give the scanner an in-memory site (with Windows paths, too).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvanel::project {

// Identifies a file whatever path leads to it (through links, "..", or symbolic links).
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileId&) const = default;
};

struct FileIdHash {
    std::size_t operator()(const FileId& id) const
    {
        return std::hash<std::uint64_t>()(id.inode * 1000003u ^ id.device);
    }
};

enum class FileState {
    File,     // a plain file that is not hidden
    Missing,  // nothing there, or a path that cannot be followed (a loop of symbolic links)
    NotAFile, // a folder, a device, a pipe or a socket
    Hidden,   // a plain file whose name starts with "."
};

struct FileCheck {
    FileState state = FileState::Missing;
    FileId id;            // set for FileState::File and FileState::Hidden
    std::uint64_t size = 0;
};

enum class ReadOutcome { Read, NotAFile, CannotRead };

struct FileRead {
    ReadOutcome outcome = ReadOutcome::CannotRead;
    std::string bytes;
    int error = 0; // errno for CannotRead
};

// An implementation may keep the folders it has looked in open while it lives: make one for
// each scan, so that a folder renamed or replaced between scans is looked up anew.
class SiteFiles {
public:
    virtual ~SiteFiles() = default;
    // The file-existence test of the launchers: true only for a plain file that is not hidden
    // (whose name does not start with "."; on Windows, that is not a hidden or system file).
    virtual FileCheck check(const std::string& path) = 0;
    // The content of a plain file, at most as long as the file was when it was opened, so
    // that a file that grows (or a pseudo-file that reports no size) cannot take more memory
    // than its size.
    virtual FileRead read(const std::string& path) = 0;
    // read() of a path that check() has just found a plain file: the look before opening
    // may be left out, as the look after opening still turns down anything else.
    virtual FileRead readCheckedFile(const std::string& path) { return read(path); }
    // Told of a file's bytes as they are read, a piece at a time, while they are in the
    // processor's caches: the first `got` bytes are in place, and may be changed.
    using ReadPieces = std::function<void(char* bytes, std::size_t got)>;
    // readCheckedFile, telling `pieces` of the bytes as they come in, where the system reads
    // a file in pieces (the bytes returned are then those the pieces were changed into).
    virtual FileRead readCheckedFileInPieces(const std::string& path, const ReadPieces& pieces)
    {
        (void)pieces;
        return readCheckedFile(path);
    }
    // The path without "." and ".." steps and symbolic links; nullopt when it cannot be had.
    virtual std::optional<std::string> canonical(const std::string& path) = 0;
};

// The files of the system the program runs on.
std::unique_ptr<SiteFiles> systemSiteFiles();

} // namespace orvanel::project
