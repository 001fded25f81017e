// Thumbnails and full-size decodes of big photos, timed side by side in one run:
// Tollamar's in-process paths, a bare in-process libjpeg decode with the same settings,
// and the command-line tools a user would pick instead (djpeg, vipsthumbnail).
//   thumbnail_bench generate DIR COUNT [WIDTH HEIGHT]
//   thumbnail_bench time ROUNDS FILE...
#include "imaging/jpeg_image.h"
#include "imaging/thumbnail.h"
#include "bare_decode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <jpeglib.h>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// A photo-like picture: smooth shading, edges and a little sensor noise, 4:2:0 at
// quality 90 like a camera's, and no embedded thumbnail.
void writePhoto(const std::string& path, int width, int height, unsigned seed) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) { std::perror(path.c_str()); std::exit(1); }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
    unsigned noise = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            const double shade = 0.5 + 0.35 * std::sin(x * 0.004 + seed) * std::cos(y * 0.006);
            const bool edge = ((x / 97 + y / 61 + static_cast<int>(seed)) % 7) == 0;
            for (int c = 0; c < 3; ++c) {
                double v = 255 * shade * (0.7 + 0.15 * c) + (edge ? 40 : 0) + (noise >> (8 * c) & 31);
                row[static_cast<size_t>(x) * 3 + c] = static_cast<JSAMPLE>(std::clamp(v, 0.0, 255.0));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(out);
}


bool runTool(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

struct Method {
    std::string name;
    std::string baseline;
    std::function<bool(const std::string&)> run;
};

// tollamar-cli sits next to this program in build/bin.
std::string cliPath() {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/') + 1) + "tollamar-cli";
}

std::vector<Method> methods(const std::string& scratch) {
    using tollamar::TJPEGImage;
    const std::string cli = cliPath();
    return {
        {"thumb: tollamar-cli thumbnail", "thumb: bare libjpeg 1/8 fast",
         [cli, scratch](const std::string& f) { return runTool({cli, "thumbnail", f, scratch + "/t.png"}); }},
        {"thumb: Tollamar MakeThumbnailBitmap", "thumb: bare libjpeg 1/8 fast",
         [](const std::string& f) {
             return !tollamar::MakeThumbnailBitmap(QString::fromStdString(f), 64, 48).isNull();
         }},
        {"thumb: bare libjpeg 1/8 fast", "", [](const std::string& f) { bareDecode(f, 8, JDCT_IFAST); return true; }},
        {"thumb: djpeg -scale 1/8 -dct fast", "thumb: bare libjpeg 1/8 fast",
         [](const std::string& f) { return runTool({"djpeg", "-scale", "1/8", "-dct", "fast", "-outfile", "/dev/null", f}); }},
        {"thumb: vipsthumbnail --size 64x48", "thumb: bare libjpeg 1/8 fast",
         [scratch](const std::string& f) { return runTool({"vipsthumbnail", "--size", "64x48", "-o", scratch + "/%s.jpg", f}); }},
        {"full: Tollamar TJPEGImage float", "full: bare libjpeg float",
         [](const std::string& f) {
             TJPEGImage image;
             image.LoadFromFile(QString::fromStdString(f));
             return !image.Bitmap().isNull();
         }},
        {"full: bare libjpeg float", "", [](const std::string& f) { bareDecode(f, 1, JDCT_FLOAT); return true; }},
        {"full: bare libjpeg float, 2 MiB pages", "full: bare libjpeg float",
         [](const std::string& f) { bareDecode(f, 1, JDCT_FLOAT, true); return true; }},
        {"full: djpeg -dct float", "full: bare libjpeg float",
         [](const std::string& f) { return runTool({"djpeg", "-dct", "float", "-outfile", "/dev/null", f}); }},
    };
}

// Page faults of this process and of the tools it ran (first touches of fresh memory).
long minorFaults() {
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    return self.ru_minflt + children.ru_minflt;
}

// Other work on the machine only ever adds time, so the fastest round is the truest.
double best(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

int timeAll(int rounds, const std::vector<std::string>& files) {
    char scratchTemplate[] = "/tmp/tollamar-thumbs-XXXXXX";
    const std::string scratch = mkdtemp(scratchTemplate);
    const std::vector<Method> all = methods(scratch);
    std::map<std::string, std::vector<double>> perRound;  // ms for all files, per round
    std::map<std::string, long> faults;                   // minor page faults, all rounds
    std::map<std::string, bool> works;
    for (const Method& m : all) works[m.name] = m.run(files.front());  // warm-up
    // Methods take turns on each file, so a burst of load from elsewhere hits them alike.
    for (int r = 0; r < rounds; ++r) {
        for (const Method& m : all) perRound[m.name].push_back(0);
        for (const std::string& f : files) {
            for (const Method& m : all) {
                if (!works[m.name]) continue;
                const long faultsBefore = minorFaults();
                const auto start = std::chrono::steady_clock::now();
                m.run(f);
                const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                perRound[m.name].back() += took.count();
                faults[m.name] += minorFaults() - faultsBefore;
            }
        }
    }
    std::printf("%zu photos, best of %d rounds\n", files.size(), rounds);
    for (const Method& m : all) {
        if (!works[m.name]) {
            std::printf("  %-38s (not available)\n", m.name.c_str());
            continue;
        }
        const double ms = best(perRound[m.name]) / static_cast<double>(files.size());
        std::printf("  %-38s %8.1f ms/photo %7ld faults", m.name.c_str(), ms,
                    faults[m.name] / static_cast<long>(files.size()) / rounds);
        if (!m.baseline.empty())
            std::printf("  %5.2fx bare", ms * static_cast<double>(files.size()) / best(perRound[m.baseline]));
        std::printf("\n");
    }
    const auto ratio = [&](const char* a, const char* b) {
        return works[a] && works[b] ? best(perRound[a]) / best(perRound[b]) : 0.0;
    };
    std::printf("  Tollamar full decode / bare decode into the same kind of memory: %.2fx\n",
                ratio("full: Tollamar TJPEGImage float", "full: bare libjpeg float, 2 MiB pages"));
    std::system(("rm -rf '" + scratch + "'").c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "generate") == 0) {
        const int count = std::atoi(argv[3]);
        const int width = argc >= 6 ? std::atoi(argv[4]) : 4000;
        const int height = argc >= 6 ? std::atoi(argv[5]) : 3000;
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/photo_%02d.jpg", i);
            writePhoto(argv[2] + std::string(name), width, height, static_cast<unsigned>(i));
        }
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "time") == 0)
        return timeAll(std::max(1, std::atoi(argv[2])), std::vector<std::string>(argv + 3, argv + argc));
    std::fprintf(stderr, "usage: %s generate DIR COUNT [WIDTH HEIGHT] | time ROUNDS FILE...\n", argv[0]);
    return 2;
}
