// The POSIX file layer and the whole-file reader built on it.
#include "filelayer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnel {

unsigned char* FileSystem::allocate(std::size_t bytes) const {
    return new (std::nothrow) unsigned char[bytes];
}

void FileSystem::release(unsigned char* block) const {
    delete[] block;
}

int FileSystem::openSized(const char* path, std::int64_t& size, bool& sized) const {
    const int handle = open(path);
    sized = handle >= 0 && this->size(handle, size);
    return handle;
}

namespace {

class PosixFileSystem final : public FileSystem {
public:
    int open(const char* path) const override {
        std::int64_t size = 0;
        bool sized = false;
        return openSized(path, size, sized);
    }

    int openSized(const char* path, std::int64_t& size, bool& sized) const override {
        // O_NONBLOCK so that opening a FIFO cannot wait for a writer; the
        // type test below then turns it away.
        sized = false;
        int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return -1;
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return -1;
        }
        size = st.st_size;
        sized = true;
        return fd;
    }

    bool size(int handle, std::int64_t& size) const override {
        struct stat st;
        if (::fstat(handle, &st) != 0)
            return false;
        size = st.st_size;
        return true;
    }

    bool read(int handle, void* buffer, std::size_t want, std::size_t& got) const override {
        // One request for the whole size; the loop only continues where the
        // system hands a large read over in parts.
        got = 0;
        auto* out = static_cast<unsigned char*>(buffer);
        while (got < want) {
            ssize_t n = ::pread(handle, out + got, want - got, static_cast<off_t>(got));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

    void close(int handle) const override { ::close(handle); }

    bool listDirectory(const std::string& path, FileId& self,
                       std::vector<DirEntry>& entries) const override {
        DIR* dir = ::opendir(path.c_str());
        if (!dir)
            return false;
        struct stat st;
        if (::fstat(::dirfd(dir), &st) != 0) {
            ::closedir(dir);
            return false;
        }
        self = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
        while (struct dirent* e = ::readdir(dir)) {
            DirEntry entry;
            entry.name = e->d_name;
            // Regular files need no further look; anything that may be a
            // directory (or a link to one) is looked at through the link.
            if (e->d_type != DT_REG) {
                if (::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                    entry.isDirectory = true;
                    entry.id = {static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino)};
                }
            }
            entries.push_back(std::move(entry));
        }
        ::closedir(dir);
        return true;
    }

    bool changeDirectory(const char* path) const override { return ::chdir(path) == 0; }

    bool currentDirectory(std::string& path) const override {
        std::vector<char> buffer(256);
        for (;;) {
            if (::getcwd(buffer.data(), buffer.size())) {
                path = buffer.data();
                return true;
            }
            if (errno != ERANGE || buffer.size() > (1u << 20))
                return false;
            buffer.resize(buffer.size() * 2);
        }
    }
};

} // namespace

const FileSystem& posixFileSystem() {
    static const PosixFileSystem fs;
    return fs;
}

WholeFile::WholeFile(const FileSystem& fs, const char* path) : m_fs(fs) {
    std::int64_t size = 0;
    bool sized = false;
    OpenFile file(fs, path, size, sized);
    if (!file.isOpen() || !sized || size < 0 || size > kMaxSize)
        return;
    const auto bytes = static_cast<std::size_t>(size);
    // An empty file still gets a block, so that data() is never null when ok.
    m_data = fs.allocate(std::max<std::size_t>(bytes, 1));
    if (!m_data)
        return;
    std::size_t got = 0;
    if (!fs.read(file.handle(), m_data, bytes, got)) {
        fs.release(m_data);
        m_data = nullptr;
        return;
    }
    m_size = std::min(got, bytes);
    m_ok = true;
}

WholeFile::~WholeFile() {
    if (m_data)
        m_fs.release(m_data);
}

bool openedFileSize(const FileSystem& fs, const char* path, int& size) {
    size = 0;
    std::int64_t bytes = 0;
    bool sized = false;
    OpenFile file(fs, path, bytes, sized);
    if (!file.isOpen())
        return false;
    if (sized && bytes > 0)
        size = bytes > INT_MAX ? INT_MAX : static_cast<int>(bytes);
    return true;
}

} // namespace tarnel
