#include "Browser/ReportLines.hpp"
#include "Update/VersionCompare.hpp"

namespace {

using IsVersionAtLeast = ReportLines;

bool AtLeast(const char* version, const char* reference) {
    return VersionCheck::IsVersionAtLeast(version, reference);
}

TEST_F(IsVersionAtLeast, ComparesThePartsAsNumbersInOrder) {
    EXPECT_TRUE(AtLeast("1.0.6", "1.0.6"));
    EXPECT_FALSE(AtLeast("1.0.6", "1.0.10")) << "10 is more than 6, though \"10\" sorts before \"6\"";
    EXPECT_TRUE(AtLeast("1.0.10", "1.0.9"));
    EXPECT_TRUE(AtLeast("1.0.6", "0.9.99"));
    EXPECT_FALSE(AtLeast("1.0.6", "1.1.0"));
    EXPECT_TRUE(AtLeast("2.0.0", "1.9.9"));
    EXPECT_TRUE(AtLeast("2.x.0", "1.0.6")) << "the major part decides before the bad one is read";
    EXPECT_TRUE(Lines().empty());
}

TEST_F(IsVersionAtLeast, ReadsEachPartAsStoiDoes) {
    EXPECT_TRUE(AtLeast(" 1.+0.6", "1.0.6")) << "leading blanks and a sign";
    EXPECT_TRUE(AtLeast("1.0.6", "1.0.6-beta")) << "what follows the digits is ignored";
    EXPECT_FALSE(AtLeast("1.0.6", "1.0.7rc1"));
    EXPECT_TRUE(AtLeast("1.0.6", "1.0.-3"));
    EXPECT_TRUE(Lines().empty());
}

TEST_F(IsVersionAtLeast, SplitsAtDotsAsAStreamReadDoes) {
    EXPECT_TRUE(AtLeast("1.0.6", "1.0.6.")) << "a final dot adds no part";
    EXPECT_FALSE(AtLeast("1.0.6", "1.0.7.")) << "so this is a version of three parts";
    EXPECT_TRUE(AtLeast("1.0.6", "2.0"));
    EXPECT_TRUE(AtLeast("1.0.6", ""));
    EXPECT_TRUE(AtLeast("1.0.6", "2.0.0.0"));
    EXPECT_TRUE(AtLeast("1.0", "1.0.6"));
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[WARNING] VersionCheck: Invalid version format: current=1.0.6, minimum=2.0 - assuming valid",
            "[WARNING] VersionCheck: Invalid version format: current=1.0.6, minimum= - assuming valid",
            "[WARNING] VersionCheck: Invalid version format: current=1.0.6, minimum=2.0.0.0 - assuming valid",
            "[WARNING] VersionCheck: Invalid version format: current=1.0, minimum=1.0.6 - assuming valid",
        }));
}

TEST_F(IsVersionAtLeast, APartThatIsNoNumberCountsAsNewEnough) {
    EXPECT_TRUE(AtLeast("1.0.6", "1.x.0"));
    EXPECT_TRUE(AtLeast("1.0.6", "1..7")) << "two dots in a row give an empty part";
    EXPECT_TRUE(AtLeast("1.0.6", "1.0.99999999999")) << "out of the integer's range";
    EXPECT_EQ(Lines(),
              std::vector<std::string>(
                  3, "[WARNING] VersionCheck: Error parsing version numbers: stoi - assuming valid"));
}

} // namespace
