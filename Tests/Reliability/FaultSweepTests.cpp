// Every host call an export or import makes is failed in turn (the k-th call of a run, for every k
// until a run makes fewer than k calls; docs/fault-sweep.md), and each run must end well: nothing
// thrown into the script engine, an answer for the page, no handle left, and a failed import
// leaves the project as it was (rollback on) or one that saves and loads again (rollback off); a
// successful one is undone to the project as it was and redone to the import, byte for byte.
#include "CommandSession.hpp"
#include "SweepRows.hpp"

#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>

namespace {

// Every k up to this bound is tried; above it a sample of SampledCalls evenly spread k's, so that
// a long import stays within CI time.
constexpr int EveryCallUpTo = 120;
constexpr int SampledCalls = 60;

std::map<API_ElemTypeID, int> ElementCounts() {
    std::map<API_ElemTypeID, int> counts;
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        ++counts[stored.element.header.type.typeID];
    }
    return counts;
}

bool IsFailureAnswer(const std::string& answer) {
    return answer.find("\"success\":false") != std::string::npos ||
           answer.find("\"success\":0") != std::string::npos;
}

// The calls that read an element: when one fails and the command still answers, the element is
// missing from the answer. Other calls have fallbacks of their own (no geo-location, no group, the
// default colour or property value), tallied as such.
bool ReadsAnElement(const std::string& call) {
    return call == "ACAPI_Element_Get" || call == "ACAPI_Element_GetMemo";
}

bool ReportedTrouble() {
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        const std::string text = line.text.ToCStr(CC_UTF8).Get();
        if (text.rfind("[WARNING]", 0) == 0 || text.rfind("[ERROR]", 0) == 0) {
            return true;
        }
    }
    return false;
}

std::string Unescaped(const std::string& json) {
    std::string text;
    for (size_t i = 0; i < json.size(); ++i) {
        if (json[i] == '\\' && i + 1 < json.size()) {
            ++i;
            text += json[i] == 'n' ? '\n' : json[i];
        } else {
            text += json[i];
        }
    }
    return text;
}

// How the runs of one command ended, for the figures in docs/fault-sweep.md.
struct Tally {
    int runs = 0;
    std::map<std::string, int> outcomes;
};

struct SweepCase {
    SweepRow row;
    bool rollBack = true;
};

void PrintTo(const SweepCase& sweepCase, std::ostream* out) {
    *out << sweepCase.row.command << (sweepCase.rollBack ? "" : " without rollback");
}

class FaultSweep : public ::testing::TestWithParam<SweepCase> {
protected:
    bool RollBack() const { return GetParam().rollBack; }

    struct Run {
        std::optional<std::string> failedCall;
        int calls = 0;
    };

    // One run of the row with its k-th host call failed (none for k = 0), checked.
    Run RunOnce(CommandSession& session, const SweepRow& row, const std::string& project, int k,
                Tally& tally) {
        session.Open(project, row.selected, row.point);
        StandIn::TheModel().rollBackFailedSteps = RollBack();
        const std::string before = StandIn::SaveProject();
        const auto countsBefore = ElementCounts();
        const Int32 liveHandles = StandIn::HandleLedger::LiveCount();
        StandIn::TakeEscapedExceptions();
        StandIn::Faults::FailNthCall(k, APIERR_MEMFULL);

        const StandIn::PageCallResult result = session.Call(row.command, row.argument());
        const Run run = {StandIn::Faults::NthCallFailed(), StandIn::Faults::HostCallCount()};
        StandIn::Faults::Clear();
        const std::string where = row.command + " with call " + std::to_string(k) + " (" +
                                  run.failedCall.value_or("none") + ") failed";

        EXPECT_TRUE(StandIn::TakeEscapedExceptions().empty()) << where;
        EXPECT_EQ(result.state, StandIn::PageCallResult::State::Fulfilled) << where << ": " << result.text;
        EXPECT_NE(result.text, "undefined") << where;
        EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveHandles) << where << ": handles left";
        EXPECT_EQ(StandIn::HandleLedger::DoubleReleaseCount(), 0) << where;

        const bool failed = IsFailureAnswer(result.text);
        std::string outcome = failed ? "error answer" : "answer";
        if (row.IsImport() && failed) {
            if (RollBack()) {
                EXPECT_EQ(StandIn::SaveProject(), before) << where << ": the project changed";
            } else {
                const std::string after = StandIn::SaveProject();
                EXPECT_NO_THROW(StandIn::LoadProject(after)) << where << ": the project does not load again";
                outcome += after == before ? ", project unchanged" : ", changes kept";
            }
        } else if (row.IsImport()) {
            const std::string after = StandIn::SaveProject();
            EXPECT_TRUE(StandIn::UndoLastStep()) << where;
            EXPECT_EQ(StandIn::SaveProject(), before) << where << ": undo did not give the project back";
            EXPECT_TRUE(StandIn::RedoStep()) << where;
            EXPECT_EQ(StandIn::SaveProject(), after) << where << ": redo did not give the import back";
            const auto countsAfter = ElementCounts();
            for (const auto& [type, created] : row.createdCounts(Unescaped(result.text))) {
                const int before = countsBefore.count(type) ? countsBefore.at(type) : 0;
                const int after = countsAfter.count(type) ? countsAfter.at(type) : 0;
                EXPECT_EQ(after - before, created)
                    << where << ": element type " << type << " in " << result.text;
            }
        }
        if (run.failedCall && !failed && row.command != "getSelection") {
            // An element left out of an export must not go unnoticed: the report window says which.
            if (ReadsAnElement(*run.failedCall)) {
                EXPECT_TRUE(ReportedTrouble())
                    << where << ": answered " << result.text.substr(0, 200) << " without a warning";
            }
            outcome += ReportedTrouble() ? " with a warning" : " (fallback, no warning)";
        }
        if (run.failedCall) {
            ++tally.runs;
            ++tally.outcomes[outcome];
        }
        return run;
    }

    void Sweep(const SweepRow& row) {
        CommandSession session(TOLVA_ADDON_PATH);
        const std::string project = SourceFile("examples/projects/" + row.project);
        session.Open(project, row.selected, row.point);
        if (!session.Has(row.command)) {
            GTEST_SKIP() << row.command << " is not registered";
        }
        Tally tally;
        const Run clean = RunOnce(session, row, project, 0, tally);
        ASSERT_FALSE(clean.failedCall);
        ASSERT_GT(clean.calls, 0) << row.command << " made no host call";
        std::set<int> ks;
        for (int k = 1; k <= std::min(clean.calls, EveryCallUpTo); ++k) {
            ks.insert(k);
        }
        for (int i = 1; i <= SampledCalls && clean.calls > EveryCallUpTo; ++i) {
            ks.insert(EveryCallUpTo + (clean.calls - EveryCallUpTo) * i / SampledCalls);
        }
        for (int k : ks) {
            RunOnce(session, row, project, k, tally);
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
        // Beyond the clean run's calls, until a run makes fewer calls than k.
        for (int k = clean.calls + 1;; ++k) {
            if (!RunOnce(session, row, project, k, tally).failedCall) {
                break;
            }
        }
        std::cout << "[ sweep    ] " << row.command << (RollBack() ? "" : " (rollback off)") << ": "
                  << clean.calls << " host calls, " << tally.runs << " failed in turn:";
        for (const auto& [outcome, count] : tally.outcomes) {
            std::cout << " " << count << " " << outcome << ";";
        }
        std::cout << "\n";
    }
};

std::vector<SweepCase> SweepCases() {
    std::vector<SweepCase> cases;
    for (const SweepRow& row : SweepRows()) {
        cases.push_back({row, true});
        if (row.IsImport()) {
            cases.push_back({row, false});
        }
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<SweepCase>& info) {
    return info.param.row.command + (info.param.rollBack ? "" : "WithoutRollBack");
}

TEST_P(FaultSweep, EveryHostCallFailedInTurnEndsWell) {
    Sweep(GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultSweep, ::testing::ValuesIn(SweepCases()), CaseName);

} // namespace
