// Times writing a package (WritePackage) and unpacking it (ReadPackageOffset + ExtractTree)
// against copying the same tree with the system's tools, all in one run, and prints the ratios.
//
//   package_bench [--dir FOLDER] [--size-mb N] [--repeat N]
//
// The tree and every output go to a fresh folder under FOLDER (default: the temporary folder),
// which is removed at the end, also on failure or Ctrl-C.
#include "common/stream.h"
#include "project/cleanup_list.h"
#include "project/package.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace carvelle;

std::atomic<bool> interrupted{false};

extern "C" void OnSignal(int) {
    interrupted = true;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void CheckInterrupted() {
    if (interrupted) {
        throw Failure("interrupted");
    }
}

struct Options {
    fs::path dir = fs::temp_directory_path();
    std::uint64_t sizeMb = 300;
    int repeat = 3;
};

[[noreturn]] void Usage(const char* error) {
    std::fprintf(stderr,
                 "%s\nusage: package_bench [--dir FOLDER] [--size-mb N] [--repeat N]\n"
                 "  --dir      where the scratch folder is made (default: temporary folder)\n"
                 "  --size-mb  size of the generated tree (default 300)\n"
                 "  --repeat   timed runs of each operation; the median is used (default 3)\n",
                 error);
    std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage("Times package writing and extraction against cp -r and tar.");
        }
        if (i + 1 >= argc) {
            Usage(("missing value for " + arg).c_str());
        }
        const std::string value = argv[++i];
        char* end = nullptr;
        const long long number = std::strtoll(value.c_str(), &end, 10);
        const bool isNumber = end != value.c_str() && *end == '\0';
        if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--size-mb" && isNumber && number >= 1 && number <= 100000) {
            options.sizeMb = static_cast<std::uint64_t>(number);
        } else if (arg == "--repeat" && isNumber && number >= 1 && number <= 100) {
            options.repeat = static_cast<int>(number);
        } else {
            Usage(("bad option: " + arg + " " + value).c_str());
        }
    }
    return options;
}

// xoshiro256**: fast enough that generating the tree is bound by the disk, and its output
// does not compress, so no layer below can shortcut the copies.
class Random {
public:
    explicit Random(std::uint64_t seed) {
        for (auto& word : state_) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = z ^ (z >> 31);
        }
    }
    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }
    // Uniform enough in [low, high] for sizing files.
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
        return low + Next() % (high - low + 1);
    }
    void Fill(std::vector<std::uint8_t>& buffer, std::size_t size) {
        for (std::size_t i = 0; i < size; i += 8) {
            const std::uint64_t word = Next();
            std::memcpy(buffer.data() + i, &word, std::min<std::size_t>(8, size - i));
        }
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

struct TreeStats {
    std::uint64_t bytes = 0;
    std::size_t files = 0;
    std::size_t folders = 0;
};

void WriteRandomFile(const fs::path& path, std::uint64_t size, Random& random,
                     std::vector<std::uint8_t>& buffer) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        throw Failure("cannot create " + path.string() + ": " + std::strerror(errno));
    }
    while (size > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
        random.Fill(buffer, chunk);
        std::size_t done = 0;
        while (done < chunk) {
            const ssize_t n = ::write(fd, buffer.data() + done, chunk - done);
            if (n < 0) {
                const int error = errno;
                ::close(fd);
                throw Failure("cannot write " + path.string() + ": " + std::strerror(error));
            }
            done += static_cast<std::size_t>(n);
        }
        size -= chunk;
    }
    ::close(fd);
}

// A tree shaped like a disc's content: thousands of small files (pages, scripts, icons),
// a few hundred medium ones (pictures, documents) and a few large ones (videos,
// installers), spread over nested folders.
TreeStats MakeTree(const fs::path& root, std::uint64_t totalBytes) {
    Random random(20240611);
    TreeStats stats;
    std::vector<fs::path> folders{root};
    std::vector<int> depth{0};
    fs::create_directories(root);
    const std::size_t folderCount = 12 + static_cast<std::size_t>(totalBytes >> 23);
    for (std::size_t i = 0; i < folderCount; ++i) {
        std::size_t parent = static_cast<std::size_t>(random.Between(0, folders.size() - 1));
        while (depth[parent] >= 5) {
            parent = static_cast<std::size_t>(random.Between(0, folders.size() - 1));
        }
        folders.push_back(folders[parent] / ("folder" + std::to_string(i)));
        depth.push_back(depth[parent] + 1);
        fs::create_directory(folders.back());
        ++stats.folders;
    }

    struct Band {
        double share;
        std::uint64_t low;
        std::uint64_t high;
        const char* extension;
    };
    const Band bands[] = {{0.10, 1 << 10, 12 << 10, ".htm"},         // small: 1-12 KB
                          {0.35, 100 << 10, 900 << 10, ".jpg"},      // medium: 100-900 KB
                          {0.55, 20ull << 20, 60ull << 20, ".avi"}}; // large: 20-60 MB
    std::vector<std::uint8_t> buffer(1 << 20);
    for (const Band& band : bands) {
        std::uint64_t left =
            static_cast<std::uint64_t>(static_cast<double>(totalBytes) * band.share);
        while (left > 0) {
            CheckInterrupted();
            const std::uint64_t size = std::min(left, random.Between(band.low, band.high));
            const fs::path& folder =
                folders[static_cast<std::size_t>(random.Between(0, folders.size() - 1))];
            const fs::path file = folder / ("file" + std::to_string(stats.files) + band.extension);
            WriteRandomFile(file, size, random, buffer);
            stats.bytes += size;
            ++stats.files;
            left -= size;
        }
    }
    return stats;
}

// Runs a command without a shell and fails unless it exits with 0.
void Run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& part : command) {
        argv.push_back(const_cast<char*>(part.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw Failure("fork failed");
    }
    if (pid == 0) {
        ::execvp(argv[0], argv.data());
        std::_Exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            throw Failure("waitpid failed");
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string text;
        for (const std::string& part : command) {
            text += part + " ";
        }
        throw Failure("command failed: " + text);
    }
}

void RemoveAll(const fs::path& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void Package(const fs::path& player, const fs::path& tree, const fs::path& output) {
    if (!WritePackage(player, tree, output)) {
        throw Failure("WritePackage failed");
    }
}

void Extract(const fs::path& package, const fs::path& destination) {
    FileStream stream;
    if (!stream.Open(package, FileStream::Mode::Read)) {
        throw Failure("cannot open the package");
    }
    std::uint64_t offset = 0;
    CleanupList cleanup;
    if (!ReadPackageOffset(stream, offset) ||
        !ExtractTree(stream, destination, cleanup, package.string())) {
        throw Failure("extraction failed");
    }
}

// Every file below the folder with its size, for checking that extraction really happened.
std::map<std::string, std::uintmax_t> Listing(const fs::path& root) {
    std::map<std::string, std::uintmax_t> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = entry.path().lexically_relative(root).string();
        entries[relative] = entry.is_directory() ? 0 : entry.file_size();
    }
    return entries;
}

bool SameContent(const fs::path& a, const fs::path& b, std::vector<char>& ba,
                 std::vector<char>& bb) {
    std::FILE* fa = std::fopen(a.c_str(), "rb");
    std::FILE* fb = std::fopen(b.c_str(), "rb");
    bool same = fa && fb;
    while (same) {
        const std::size_t na = std::fread(ba.data(), 1, ba.size(), fa);
        const std::size_t nb = std::fread(bb.data(), 1, bb.size(), fb);
        same = na == nb && std::memcmp(ba.data(), bb.data(), na) == 0;
        if (na == 0) {
            break;
        }
    }
    if (fa) {
        std::fclose(fa);
    }
    if (fb) {
        std::fclose(fb);
    }
    return same;
}

void RequireSameTree(const fs::path& expected, const fs::path& actual) {
    const auto want = Listing(expected);
    if (Listing(actual) != want) {
        throw Failure("the extracted tree differs from the source");
    }
    std::vector<char> ba(1 << 20);
    std::vector<char> bb(1 << 20);
    for (const auto& [relative, size] : want) {
        if (size > 0 && !SameContent(expected / relative, actual / relative, ba, bb)) {
            throw Failure("extracted file differs: " + relative);
        }
    }
}

struct Operation {
    Operation(std::string n, std::function<void()> p, std::function<void()> b)
        : name(std::move(n)), prepare(std::move(p)), body(std::move(b)) {}

    std::string name;
    std::function<void()> prepare; // untimed: clear the previous output
    std::function<void()> body;    // timed
    std::vector<double> seconds;

    double Median() const {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

double TimeOnce(Operation& op) {
    op.prepare();
    // Flush what earlier steps left dirty so it is not charged to this one.
    ::sync();
    CheckInterrupted();
    const auto start = std::chrono::steady_clock::now();
    op.body();
    const auto stop = std::chrono::steady_clock::now();
    CheckInterrupted();
    return std::chrono::duration<double>(stop - start).count();
}

void PrintRatio(const char* label, const Operation& ours, const Operation& copy,
                const Operation& tar) {
    const double mine = ours.Median();
    const double cp = copy.Median();
    const double archive = tar.Median();
    std::printf("%s ratio: %.2f (%s %.3f s, cp -r %.3f s); against %s: %.2f (%.3f s)%s\n", label,
                mine / cp, ours.name.c_str(), mine, cp, tar.name.c_str(), mine / archive, archive,
                mine / cp > 1.3 ? "  ** above 1.3 **" : "");
}

int RunBench(const Options& options) {
    if (!fs::is_directory(options.dir)) {
        throw Failure(options.dir.string() + " is not a folder");
    }
    const fs::path work = options.dir / ("carvelle-bench-" + std::to_string(::getpid()));
    if (fs::exists(work)) {
        throw Failure(work.string() + " already exists");
    }
    struct Remover {
        fs::path path;
        ~Remover() { RemoveAll(path); }
    } remover{work};
    fs::create_directories(work);

    const fs::path tree = work / "tree";
    const fs::path player = work / "player.bin";
    const fs::path package = work / "package.exe";
    const fs::path tarFile = work / "tree.tar";
    const fs::path copied = work / "copy";
    const fs::path extracted = work / "extracted";
    const fs::path untarred = work / "untarred";

    std::printf("generating %llu MB under %s ...\n",
                static_cast<unsigned long long>(options.sizeMb), work.c_str());
    std::fflush(stdout);
    const TreeStats stats = MakeTree(tree, options.sizeMb << 20);
    {
        Random random(7);
        std::vector<std::uint8_t> buffer(1 << 16);
        WriteRandomFile(player, 64 << 10, random, buffer);
    }
    std::printf("tree: %.1f MB in %zu files and %zu folders\n",
                static_cast<double>(stats.bytes) / (1 << 20), stats.files, stats.folders);

    Operation write{"package", [&] { RemoveAll(package); },
                    [&] { Package(player, tree, package); }};
    Operation writeCopy{"cp -r", [&] { RemoveAll(copied); },
                        [&] {
                            Run({"cp", "-r", tree.string(), copied.string()});
                        }};
    Operation writeTar{"tar -cf", [&] { RemoveAll(tarFile); },
                       [&] {
                           Run({"tar", "-cf", tarFile.string(), "-C", work.string(), "tree"});
                       }};
    const auto freshFolder = [](const fs::path& folder) {
        RemoveAll(folder);
        fs::create_directory(folder);
    };
    Operation extract{"extract", [&] { freshFolder(extracted); },
                      [&] { Extract(package, extracted); }};
    Operation extractCopy{"cp -r", [&] { RemoveAll(copied); },
                          [&] {
                              Run({"cp", "-r", tree.string(), copied.string()});
                          }};
    Operation extractTar{"tar -xf", [&] { freshFolder(untarred); },
                         [&] {
                             Run({"tar", "-xf", tarFile.string(), "-C", untarred.string()});
                         }};
    std::vector<Operation*> order{&write,   &writeCopy,   &writeTar,
                                  &extract, &extractCopy, &extractTar};

    // One untimed round warms the page cache and the allocator for every operation alike.
    for (Operation* op : order) {
        TimeOnce(*op);
    }
    RequireSameTree(tree, extracted);
    RequireSameTree(tree, untarred / "tree");

    for (int round = 0; round < options.repeat; ++round) {
        for (Operation* op : order) {
            op->seconds.push_back(TimeOnce(*op));
        }
    }

    const double megabytes = static_cast<double>(stats.bytes) / (1 << 20);
    std::printf("\nmedian of %d runs after one warm-up (untimed sync before each):\n",
                options.repeat);
    const auto show = [&](const char* phase, const Operation& op) {
        std::printf("  %-8s %-8s %7.3f s  %7.0f MB/s   runs:", phase, op.name.c_str(), op.Median(),
                    megabytes / op.Median());
        for (double s : op.seconds) {
            std::printf(" %.3f", s);
        }
        std::printf("\n");
    };
    show("write", write);
    show("write", writeCopy);
    show("write", writeTar);
    show("extract", extract);
    show("extract", extractCopy);
    show("extract", extractTar);
    std::printf("\n");
    PrintRatio("write", write, writeCopy, writeTar);
    PrintRatio("extract", extract, extractCopy, extractTar);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    try {
        return RunBench(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "package_bench: %s\n", e.what());
        return 1;
    }
}
