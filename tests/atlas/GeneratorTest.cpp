// The committed atlas sources and offset fixtures are what tools/atlas makes of its inputs.
// The zone histories need only Python and the machine's tz database; the places also need the
// npm packages pinned in tools/atlas/package-lock.json, which scripts/install-deps.sh --tests
// installs (npm ci there). A missing tool is a failure, not a skip: the set-up installs them;
// only the npm packages, which need the registry, may be missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path Root = KYR_SOURCE_ROOT;

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Available(const std::string &command) {
    return std::system(("command -v " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// The word after "tz database " in a text.
std::string TzVersionIn(const std::string &text) {
    const std::string mark = "tz database ";
    const auto at = text.find(mark);
    if (at == std::string::npos)
        return {};
    std::istringstream rest(text.substr(at + mark.size()));
    std::string version;
    rest >> version;
    return version;
}

std::string MachineTzVersion() {
    std::ifstream in("/usr/share/zoneinfo/tzdata.zi");
    std::string line;
    std::getline(in, line); // "# version 2025b"
    return line.rfind("# version ", 0) == 0 ? line.substr(10) : std::string();
}

class AtlasGenerator : public ::testing::Test {
protected:
    void SetUp() override {
        Out = fs::temp_directory_path() / ("kyr-atlas-" + std::to_string(::getpid()));
        fs::remove_all(Out);
        fs::create_directories(Out);
        const std::string committed =
            TzVersionIn(ReadFile(Root / "tests/atlas/zone-offsets.tsv").substr(0, 400));
        ASSERT_TRUE(Available("python3")) << "python3 is missing: scripts/install-deps.sh --tests";
        if (MachineTzVersion() != committed)
            GTEST_SKIP() << "the sources were made from tz database " << committed
                         << ", this machine has " << MachineTzVersion();
    }
    void TearDown() override { fs::remove_all(Out); }

    void ExpectSameFiles() {
        for (const char *file : {"zones.tsv.gz", "places.tsv.gz"})
            EXPECT_TRUE(ReadFile(Out / file) == ReadFile(Root / "data/atlas" / file)) << file;
        for (const char *file : {"zone-offsets.tsv", "zone-changes.tsv"})
            EXPECT_TRUE(ReadFile(Out / file) == ReadFile(Root / "tests/atlas" / file)) << file;
    }

    static int Run(const std::string &command) {
        const int status = std::system((command + " >/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path Out;
};

TEST_F(AtlasGenerator, HistoriesAndFixturesReproduceFromTheCommittedPlaces) {
    ASSERT_EQ(Run("python3 '" + (Root / "tools/atlas/histories.py").string() + "' --from '" +
                  (Root / "data/atlas").string() + "' --out '" + Out.string() + "' --fixtures '" +
                  Out.string() + "'"),
              0);
    ExpectSameFiles();
}

TEST_F(AtlasGenerator, EverythingReproducesFromThePinnedPackages) {
    ASSERT_TRUE(Available("node")) << "Node.js is missing: scripts/install-deps.sh --tests";
    // The set-up fetches them from the npm registry; without a way there it goes on without.
    if (!fs::is_directory(Root / "tools/atlas/node_modules"))
        GTEST_SKIP() << "the npm packages of tools/atlas could not be fetched (npm ci there)";
    ASSERT_EQ(Run("sh '" + (Root / "tools/atlas/generate.sh").string() + "' '" + Out.string() +
                  "' '" + Out.string() + "'"),
              0);
    ExpectSameFiles();
}

} // namespace
