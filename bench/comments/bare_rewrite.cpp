// Baseline for writing comments: the bare durable replacement of a file, without any
// JPEG work, locking, backup or checks. Read the file, write a new file beside it under a
// temporary name with the old times, fsync it, rename it over the old one, fsync the folder.
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static bool writeTemp(const std::string& temp, const std::vector<char>& bytes, const struct stat& st) {
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
    if (fd < 0) return false;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    const bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                    futimens(fd, times) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

static bool rewrite(const char* path) {
    struct stat st {};
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in < 0 || fstat(in, &st) != 0) return false;
    std::vector<char> bytes(static_cast<size_t>(st.st_size));
    const bool read_ok = read(in, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(in);
    std::string folder(path);
    folder = folder.find('/') == std::string::npos ? "." : folder.substr(0, folder.rfind('/'));
    const std::string temp = folder + "/.bare-rewrite.tmp";
    if (!read_ok || !writeTemp(temp, bytes, st) || rename(temp.c_str(), path) != 0) return false;
    const int dfd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    const bool synced = fsync(dfd) == 0;
    close(dfd);
    return synced;
}

int main(int argc, char** argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) failed += rewrite(argv[i]) ? 0 : 1;
    if (failed) std::fprintf(stderr, "%d files failed\n", failed);
    return failed ? 1 : 0;
}
