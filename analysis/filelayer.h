// The file layer: the only place where the library talks to the operating
// system. Every search and every analysis reaches the file system through a
// `FileSystem` passed by const reference; the exported functions pass the
// POSIX one, and the tests pass doubles that fail on purpose. A `FileSystem`
// holds no mutable state of its own, so one object serves many threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

// The directory separator. Directory texts end with it; project files written
// with backslashes have them turned into it.
constexpr char kPathSeparator = '/';

// Identifies a directory for the link-loop guard of the directory walk.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

// One entry of a directory listing.
struct DirEntry {
    std::string name;         // the name as stored on disk
    bool isDirectory = false; // a directory, or a symbolic link to one
    FileId id;                // the directory's identity; only set when isDirectory
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens a file for reading and returns a handle >= 0, or -1. Only regular
    // files open: a directory (as on Windows), a FIFO, a device or a socket
    // counts as a file that cannot be opened, so nothing ever blocks on one.
    virtual int open(const char* path) const = 0;

    // Stores the size of an open file in `size`; false on failure.
    virtual bool size(int handle, std::int64_t& size) const = 0;

    // Opens a file as open() does and takes its size as size() does: the
    // handle, or -1 when the file does not open; `sized` tells whether `size`
    // holds the size. The POSIX layer learns both from one system call.
    virtual int openSized(const char* path, std::int64_t& size, bool& sized) const;

    // Reads up to `want` bytes into `buffer` from the start of the file and
    // stores how many were read in `got` (fewer if the file has shrunk);
    // false on a read error.
    virtual bool read(int handle, void* buffer, std::size_t want, std::size_t& got) const = 0;

    virtual void close(int handle) const = 0;

    // Memory for a file's contents: null when it cannot be had.
    virtual unsigned char* allocate(std::size_t bytes) const;
    virtual void release(unsigned char* block) const;

    // Lists every entry of the directory `path` (the entries "." and ".."
    // included or not, as the system gives them) and the directory's own
    // identity; false when the directory cannot be listed.
    virtual bool listDirectory(const std::string& path, FileId& self,
                               std::vector<DirEntry>& entries) const = 0;

    // Makes `path` the process's current directory; false on failure.
    virtual bool changeDirectory(const char* path) const = 0;

    // The process's current directory, without a final separator unless it
    // is the root; false when it cannot be had.
    virtual bool currentDirectory(std::string& path) const = 0;
};

// The file system of the running system, through POSIX calls.
const FileSystem& posixFileSystem();

// Closes a handle when it goes out of scope.
class OpenFile {
public:
    OpenFile(const FileSystem& fs, const char* path) : m_fs(fs), m_handle(fs.open(path)) {}
    // Opens the file and takes its size; `sized` tells whether `size` holds it.
    OpenFile(const FileSystem& fs, const char* path, std::int64_t& size, bool& sized)
        : m_fs(fs), m_handle(fs.openSized(path, size, sized)) {}
    ~OpenFile() {
        if (m_handle >= 0)
            m_fs.close(m_handle);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool isOpen() const { return m_handle >= 0; }
    int handle() const { return m_handle; }

private:
    const FileSystem& m_fs;
    int m_handle;
};

// A whole file read into memory with one allocation of exactly its size and
// one read. Whatever fails, nothing stays allocated or open once the object
// is gone; the file itself is closed as soon as it has been read.
class WholeFile {
public:
    // Files larger than this are refused: the counts are 32-bit.
    static constexpr std::int64_t kMaxSize = 0x7fffffff;

    WholeFile(const FileSystem& fs, const char* path);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    bool ok() const { return m_ok; }
    const unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    const FileSystem& m_fs;
    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_ok = false;
};

// Opens a file and takes its size as a search records it: INT_MAX when it
// is larger than that, 0 when the size cannot be had. Returns false, with
// `size` 0, when the file does not open.
bool openedFileSize(const FileSystem& fs, const char* path, int& size);

} // namespace tarnel
