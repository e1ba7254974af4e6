// Helpers for the tests that touch the file system: a temporary folder that
// removes itself, file writers, and a file layer double that counts what is
// open and allocated and fails on purpose.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "filelayer.h"

namespace testing_files {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary directory; it and everything
// in it (unreadable parts included) go when the object goes. The process's
// current directory is put back as well, since searches change it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tarnel-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
        m_cwd = fs::current_path();
    }
    ~TempDir() {
        std::error_code ec;
        fs::current_path(m_cwd, ec);
        // Give every folder its permissions back so that it can be removed.
        for (auto it = fs::recursive_directory_iterator(
                 m_path, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec))
                ::chmod(it->path().c_str(), 0700);
        }
        ::chmod(m_path.c_str(), 0700);
        for (auto& p : m_locked)
            ::chmod(p.c_str(), 0700);
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, with a final separator.
    std::string path() const { return m_path.string() + "/"; }
    std::string operator/(const std::string& rel) const { return path() + rel; }

    // Writes a file (making its folders); the content is taken byte for byte.
    std::string write(const std::string& rel, const std::string& content = "") const {
        const fs::path full = m_path / rel;
        fs::create_directories(full.parent_path());
        std::ofstream out(full, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        return full.string();
    }
    std::string mkdir(const std::string& rel) const {
        fs::create_directories(m_path / rel);
        return (m_path / rel).string();
    }
    void symlink(const std::string& target, const std::string& rel) const {
        fs::create_symlink(target, m_path / rel);
    }
    // Takes every permission off a file or folder (restored on removal).
    void lock(const std::string& rel) {
        const fs::path full = m_path / rel;
        ::chmod(full.c_str(), 0);
        m_locked.push_back(full);
    }

private:
    fs::path m_path;
    fs::path m_cwd;
    std::vector<fs::path> m_locked;
};

// Permission bits stop nobody who runs as root.
inline bool runningAsRoot() {
    return ::geteuid() == 0;
}

// A file layer that passes every call on to the POSIX one, counts the
// handles and blocks it has handed out and not got back, and fails the
// operation it is told to fail. Listings can also be given in memory, so
// that a test controls the order in which entries come.
class FaultyFileSystem : public tarnel::FileSystem {
public:
    enum class Op { None, Open, Size, Allocate, Read, List, ChangeDirectory, CurrentDirectory };

    Op failing = Op::None;
    int failOpenNumber = 0;      // when > 0, only that open (1 = the first) fails
    long long reportedSize = -1; // when >= 0, the size every open file reports
    std::size_t shortRead = 0;   // when > 0, reads stop after this many bytes
    std::map<std::string, std::vector<tarnel::DirEntry>> listings; // by directory path

    mutable int calls = 0; // every call of any kind
    mutable int opens = 0;
    mutable int openHandles = 0;
    mutable int liveBlocks = 0;

    int open(const char* path) const override {
        ++calls;
        ++opens;
        if (failing == Op::Open && (failOpenNumber == 0 || failOpenNumber == opens))
            return -1;
        const int h = real().open(path);
        if (h >= 0)
            ++openHandles;
        return h;
    }
    bool size(int handle, std::int64_t& size) const override {
        ++calls;
        if (failing == Op::Size)
            return false;
        if (reportedSize >= 0) {
            size = reportedSize;
            return true;
        }
        return real().size(handle, size);
    }
    bool read(int handle, void* buffer, std::size_t want, std::size_t& got) const override {
        ++calls;
        if (failing == Op::Read)
            return false;
        if (shortRead > 0 && want > shortRead)
            want = shortRead;
        return real().read(handle, buffer, want, got);
    }
    void close(int handle) const override {
        ++calls;
        --openHandles;
        real().close(handle);
    }
    unsigned char* allocate(std::size_t bytes) const override {
        ++calls;
        if (failing == Op::Allocate)
            return nullptr;
        unsigned char* block = real().allocate(bytes);
        if (block)
            ++liveBlocks;
        return block;
    }
    void release(unsigned char* block) const override {
        ++calls;
        --liveBlocks;
        real().release(block);
    }
    bool listDirectory(const std::string& path, tarnel::FileId& self,
                       std::vector<tarnel::DirEntry>& entries) const override {
        ++calls;
        if (failing == Op::List)
            return false;
        auto it = listings.find(path);
        if (it != listings.end()) {
            self = {1, std::hash<std::string>{}(path)};
            entries = it->second;
            return true;
        }
        return real().listDirectory(path, self, entries);
    }
    bool changeDirectory(const char* path) const override {
        ++calls;
        if (failing == Op::ChangeDirectory)
            return false;
        if (listings.count(path))
            return true;
        return real().changeDirectory(path);
    }
    bool currentDirectory(std::string& path) const override {
        ++calls;
        if (failing == Op::CurrentDirectory)
            return false;
        return real().currentDirectory(path);
    }

private:
    static const tarnel::FileSystem& real() { return tarnel::posixFileSystem(); }
};

} // namespace testing_files
