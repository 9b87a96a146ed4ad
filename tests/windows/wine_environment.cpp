// Readies the Wine prefix once per test binary. Where Wine cannot start at all, every
// test is skipped, saying why; with PLANES_REQUIRE_WINE=1 (CI) they fail instead.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

class WineEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const char* wine = std::getenv("E2E_LAUNCHER");
        std::string why;
        if (wine == nullptr || *wine == '\0') {
            why = "Wine is not installed";
        } else {
            // Creates the prefix on the first run (half a minute or so), then only checks it.
            std::string boot = std::string(wine) + " wineboot -i";
            int status = std::system(boot.c_str());
            if (status != 0)
                why = "Wine cannot start: " + boot + " ended with status " + std::to_string(WEXITSTATUS(status));
        }
        if (why.empty())
            return;
        const char* required = std::getenv("PLANES_REQUIRE_WINE");
        if (required != nullptr && std::string(required) == "1")
            FAIL() << why;
        GTEST_SKIP() << "Windows programs not tested: " << why;  // ctest reports a skip
    }

    // wineserver lingers a few seconds after its last program; wait for it to go.
    void TearDown() override { std::system("wineserver -w"); }
};

const ::testing::Environment* const wine = ::testing::AddGlobalTestEnvironment(new WineEnvironment);

}  // namespace
