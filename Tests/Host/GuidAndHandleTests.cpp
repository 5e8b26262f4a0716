#include "ACAPinc.h"
#include "GSRoot.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/TypedHandles.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Guid, ReadsBothTextFormsAndWritesUpperCaseWithoutBraces) {
    GS::Guid braced("{fee27b6b-3873-4834-98b5-f0081aa4cd45}");
    GS::Guid bare("FEE27B6B-3873-4834-98B5-F0081AA4CD45");
    EXPECT_EQ(braced, bare);
    EXPECT_EQ(braced.ToUniString(), GS::UniString("FEE27B6B-3873-4834-98B5-F0081AA4CD45"));
    EXPECT_EQ(APIGuid2GSGuid(GSGuid2APIGuid(braced)), braced);
    EXPECT_TRUE(GS::Guid("not a guid").IsNull());
    EXPECT_TRUE(GS::Guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD4}").IsNull());
}

TEST(Guid, LaysOutApiGuidsAsInMemory) {
    API_Guid guid = APIGuidFromString("{01020304-0506-0708-090A-0B0C0D0E0F10}");
    const auto* bytes = reinterpret_cast<const UInt8*>(&guid);
    const UInt8 expected[16] = {4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
    }
}

TEST(Guid, GeneratesDistinctVersion4Guids) {
    GS::Guid first = GS::Guid(GS::Guid::GenerateGuid);
    GS::Guid second = GS::Guid(GS::Guid::GenerateGuid);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.ToUniString().GetChar(14), u'4');
}

class MemoryHandles : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::Faults::Clear();
        StandIn::HandleLedger::ResetDoubleReleaseCount();
        liveBefore = StandIn::HandleLedger::LiveCount();
    }
    void TearDown() override { EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveBefore); }
    Int32 liveBefore = 0;
};

TEST_F(MemoryHandles, KeepExactClearedSizesAndAllowZeroBytes) {
    GSHandle empty = BMAllocateHandle(0, ALLOCATE_CLEAR, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(BMGetHandleSize(empty), 0);
    GSHandle coords = BMAllocateHandle(5 * 16, ALLOCATE_CLEAR, 0);
    ASSERT_NE(coords, nullptr);
    EXPECT_EQ(BMhGetSize(coords), 80);
    EXPECT_EQ((*coords)[79], 0);
    EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveBefore + 2);
    BMKillHandle(&empty);
    BMKillHandle(&coords);
    EXPECT_EQ(coords, nullptr);
    BMKillHandle(&coords);
    EXPECT_EQ(StandIn::HandleLedger::DoubleReleaseCount(), 0);
}

TEST_F(MemoryHandles, CountReleasesOfHandlesThatAreNotLive) {
    GSHandle handle = BMAllocateHandle(8, ALLOCATE_CLEAR, 0);
    GSHandle copy = handle;
    BMKillHandle(&handle);
    BMKillHandle(&copy);
    EXPECT_EQ(StandIn::HandleLedger::DoubleReleaseCount(), 1);
}

TEST_F(MemoryHandles, FailTheChosenAllocationOnly) {
    StandIn::Faults::Arm("BMAllocateHandle", APIERR_MEMFULL, 1, 1);
    GSHandle first = BMAllocateHandle(4, ALLOCATE_CLEAR, 0);
    GSHandle second = BMAllocateHandle(4, ALLOCATE_CLEAR, 0);
    GSHandle third = BMAllocateHandle(4, ALLOCATE_CLEAR, 0);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(StandIn::Faults::CallCount("BMAllocateHandle"), 3);
    BMKillHandle(&first);
    BMKillHandle(&third);
}

} // namespace
