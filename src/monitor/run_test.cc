#include "monitor/run.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_platform.h"

namespace varnel {
namespace {

const std::string kWaiting = "[STATUS] Waiting for SMS start";
const std::string kSending = "[STATUS] Message sending";
const std::string kTimeout = "[ERROR#] Timeout. SMS was't start\n";

std::string Marker(int index) { return "/opt/varnel/E" + std::to_string(index) + ".$$$"; }

class RunMonitorTest : public testing::Test {
 protected:
  int Run() { return RunMonitor(platform_, platform_.executable_path); }

  // The report after the banner, which is checked on its own.
  std::string Report() const {
    const std::string& out = platform_.output;
    EXPECT_EQ(out.rfind("\nVarnel v.1.2 ", 0), 0u) << out;
    const std::size_t end = out.find("\n\n", 1);
    EXPECT_NE(end, std::string::npos);
    EXPECT_EQ(out.find('\n', 1), end) << "the banner is one line";
    return out.substr(end + 2);
  }

  bool AnyMarkerLeft() const {
    for (int index = 1; index <= 6; ++index) {
      if (platform_.Has(Marker(index))) return true;
    }
    return false;
  }

  FakePlatform platform_;
};

struct OutcomeCase {
  int outcome;
  std::string report;
};

class OutcomeTest : public RunMonitorTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTest, ReportsTheOutcomeWithoutWaitingAndRemovesTheMarkers) {
  const OutcomeCase& c = GetParam();
  platform_.AddFile(Marker(5));
  platform_.AddFile(Marker(6));
  if (c.outcome != 0) platform_.AddFile(Marker(c.outcome), "line one\r\nline two\r\n");
  EXPECT_EQ(Run(), c.outcome);
  EXPECT_EQ(Report(), kWaiting + "\n" + kSending + "\n" + c.report);
  EXPECT_EQ(platform_.sleeps, 0);
  EXPECT_FALSE(AnyMarkerLeft());
}

const std::string kDetail = "[ERROR#] line one\n[ERROR#] line two\n\n";

INSTANTIATE_TEST_SUITE_P(
    Table, OutcomeTest,
    testing::Values(OutcomeCase{0, "[STATUS] Message sended successful\n"},
                    OutcomeCase{1, "[ERROR#] Dial-up connection failed\n"},
                    OutcomeCase{2, "[STATUS] Connecting to SMTP-server fail\n" + kDetail},
                    OutcomeCase{3, "[STATUS] Message sending fail\n" + kDetail},
                    OutcomeCase{4, "[ERROR#] Name not found\n"}),
    [](const testing::TestParamInfo<OutcomeCase>& param_info) {
      return "Outcome" + std::to_string(param_info.param.outcome);
    });

struct WaitCase {
  int start_poll;   // the poll that finds the start marker
  int finish_poll;  // the poll that finds the finish marker
};

class WaitTest : public RunMonitorTest, public testing::WithParamInterface<WaitCase> {};

TEST_P(WaitTest, OneDotAndOneSleepPerPollThatFindsNothing) {
  const WaitCase& c = GetParam();
  const int start_dots = c.start_poll - 1;
  const int finish_dots = c.finish_poll - 1;
  auto appear = [&](int after_sleeps) {
    if (after_sleeps == start_dots) platform_.AddFile(Marker(5));
    if (after_sleeps == start_dots + finish_dots) platform_.AddFile(Marker(6));
  };
  appear(0);
  platform_.on_sleep = appear;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Report(), kWaiting + std::string(static_cast<std::size_t>(start_dots), '.') + "\n" +
                          kSending + std::string(static_cast<std::size_t>(finish_dots), '.') +
                          "\n[STATUS] Message sended successful\n");
  EXPECT_EQ(platform_.sleeps, start_dots + finish_dots);
  // Every poll tests first; a poll that finds nothing writes its dot, then sleeps.
  const std::vector<std::string>& events = platform_.events;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i] != "sleep") continue;
    ASSERT_GE(i, 2u);
    EXPECT_EQ(events[i - 1], "write .");
    EXPECT_EQ(events[i - 2].rfind("test ", 0), 0u);
  }
  EXPECT_EQ(platform_.EventsStartingWith("test " + Marker(5)).size(),
            static_cast<std::size_t>(c.start_poll) + 1);  // + the clean-up pass
}

INSTANTIATE_TEST_SUITE_P(Table, WaitTest,
                         testing::Values(WaitCase{1, 1}, WaitCase{4, 3}, WaitCase{20, 1},
                                         WaitCase{1, 500}),
                         [](const testing::TestParamInfo<WaitCase>& param_info) {
                           return "Start" + std::to_string(param_info.param.start_poll) + "Finish" +
                                  std::to_string(param_info.param.finish_poll);
                         });

TEST_F(RunMonitorTest, TimeoutAfterTwentyPollsCleansStaleMarkersUnreported) {
  platform_.AddFile(Marker(1));
  platform_.AddFile(Marker(3), "stale detail\n");
  platform_.AddFile(Marker(6));
  EXPECT_EQ(Run(), kOutcomeNeverStarted);
  EXPECT_EQ(Report(), kWaiting + std::string(20, '.') + "\n" + kTimeout);
  EXPECT_EQ(platform_.sleeps, 20);
  EXPECT_EQ(platform_.EventsStartingWith("test " + Marker(5)).size(), 21u);
  EXPECT_TRUE(platform_.EventsStartingWith("open").empty());
  EXPECT_FALSE(AnyMarkerLeft());
  // The outcome markers are looked at only by the clean-up pass, at the end.
  EXPECT_EQ(platform_.EventsStartingWith("test " + Marker(1)).size(), 1u);
}

TEST_F(RunMonitorTest, AStartMarkerAfterTheLastPollIsNotSeenButRemoved) {
  platform_.on_sleep = [&](int sleeps) {
    if (sleeps == 20) platform_.AddFile(Marker(5));
  };
  EXPECT_EQ(Run(), kOutcomeNeverStarted);
  EXPECT_EQ(Report(), kWaiting + std::string(20, '.') + "\n" + kTimeout);
  EXPECT_FALSE(platform_.Has(Marker(5)));
}

TEST_F(RunMonitorTest, ADirectoryInPlaceOfTheStartMarkerIsAbsentAndStays) {
  platform_.AddDirectory(Marker(5));
  platform_.AddFile(Marker(6));
  EXPECT_EQ(Run(), kOutcomeNeverStarted);
  EXPECT_TRUE(platform_.entries[Marker(5)].directory);
  EXPECT_FALSE(platform_.Has(Marker(6)));
}

TEST_F(RunMonitorTest, TheLowestOutcomeMarkerWinsAndAllAreRemoved) {
  platform_.AddFile(Marker(5));
  platform_.AddFile(Marker(6));
  platform_.AddFile(Marker(2), "two\n");
  platform_.AddFile(Marker(3), "three\n");
  platform_.AddFile(Marker(4));
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(Report(), kWaiting + "\n" + kSending +
                          "\n[STATUS] Connecting to SMTP-server fail\n[ERROR#] two\n\n");
  EXPECT_EQ(platform_.EventsStartingWith("open"), std::vector<std::string>{"open " + Marker(2)});
  EXPECT_FALSE(AnyMarkerLeft());
}

TEST_F(RunMonitorTest, ADetailFileThatCannotBeOpenedEndsTheReportAtItsHeading) {
  platform_.AddFile(Marker(5));
  platform_.AddFile(Marker(6));
  platform_.AddFile(Marker(3), "hidden\n");
  platform_.unreadable.insert(Marker(3));
  EXPECT_EQ(Run(), 3);
  EXPECT_EQ(Report(), kWaiting + "\n" + kSending + "\n[STATUS] Message sending fail\n");
  EXPECT_FALSE(AnyMarkerLeft());
}

TEST_F(RunMonitorTest, AMarkerThatCannotBeDeletedStaysAndChangesNothing) {
  platform_.AddFile(Marker(5));
  platform_.AddFile(Marker(6));
  platform_.AddFile(Marker(4));
  platform_.undeletable.insert(Marker(4));
  EXPECT_EQ(Run(), 4);
  EXPECT_TRUE(platform_.Has(Marker(4)));
  EXPECT_FALSE(platform_.Has(Marker(5)));
}

TEST_F(RunMonitorTest, MarkersChangedDuringTheEchoAreCleanedByWhatTheyAreThen) {
  // While the detail file is read, the finish marker turns into a directory
  // and a late outcome marker appears: the directory stays, the late marker
  // goes unreported but deleted.
  platform_.AddFile(Marker(5));
  platform_.AddFile(Marker(6));
  platform_.AddFile(Marker(3), "why\n");
  platform_.on_read = [&] {
    platform_.AddDirectory(Marker(6));
    platform_.AddFile(Marker(1));
  };
  EXPECT_EQ(Run(), 3);
  EXPECT_TRUE(platform_.entries[Marker(6)].directory);
  EXPECT_FALSE(platform_.Has(Marker(1)));
  EXPECT_FALSE(platform_.Has(Marker(3)));
}

TEST_F(RunMonitorTest, TheMarkerDirectoryGoneDuringTheStartWaitEndsInTheTimeout) {
  // The sender's markers vanish with their directory: nothing is present
  // any more, so the start wait runs out and the clean-up deletes nothing.
  platform_.AddFile(Marker(6));
  platform_.on_sleep = [&](int sleeps) {
    if (sleeps == 3) platform_.entries.clear();
    if (sleeps > 3) platform_.AddFile("/opt/varnel moved/E5.$$$");
  };
  EXPECT_EQ(Run(), kOutcomeNeverStarted);
  EXPECT_EQ(Report(), kWaiting + std::string(20, '.') + "\n" + kTimeout);
  EXPECT_TRUE(platform_.EventsStartingWith("remove").empty());
}

TEST_F(RunMonitorTest, ARefusedConsoleChangesNeitherOutcomeNorCleanUp) {
  platform_.writes_before_refusal = 0;
  platform_.AddFile(Marker(6));
  platform_.on_sleep = [&](int sleeps) {
    if (sleeps == 2) platform_.AddFile(Marker(5));
  };
  platform_.AddFile(Marker(2), "detail\n");
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(platform_.output, "");
  EXPECT_EQ(platform_.sleeps, 2);  // the waits keep their pace
  EXPECT_EQ(platform_.EventsStartingWith("write refused").size(), 1u);
  EXPECT_FALSE(AnyMarkerLeft());
}

TEST_F(RunMonitorTest, DosPathsPutTheMarkersBesideTheExecutable) {
  platform_.executable_path = R"(C:\mon.exe)";
  platform_.syntax.style = PathSyntax::Style::kDos;
  platform_.AddFile(R"(C:\\E5.$$$)");
  platform_.AddFile(R"(C:\\E6.$$$)");
  platform_.AddFile(R"(C:\\E1.$$$)");
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(platform_.entries.empty());
}

}  // namespace
}  // namespace varnel
