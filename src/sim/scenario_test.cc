#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::sim {
namespace {

Options Parse(const std::vector<std::string>& args) {
  const Parsed parsed = ParseArguments(args);
  EXPECT_EQ(parsed.error, "");
  return parsed.options;
}

// The plan as text: "wait 1.5", "E5", "E3:<text>".
std::vector<std::string> Steps(const Options& options,
                               const std::optional<std::string>& detail = std::nullopt) {
  std::vector<std::string> steps;
  for (const Step& step : Plan(options, detail)) {
    if (step.kind == Step::Kind::kWait) {
      steps.push_back("wait " + std::to_string(step.seconds).substr(0, 3));
    } else {
      steps.push_back(MarkerName(step.marker) + (step.content.empty() ? "" : ":" + step.content));
    }
  }
  return steps;
}

TEST(SimArgumentsTest, Defaults) {
  const Options options = Parse({});
  EXPECT_EQ(options.dir, ".");
  EXPECT_EQ(options.start_delay, 0);
  EXPECT_EQ(options.send_time, 2);
  EXPECT_TRUE(options.outcomes.empty());
  EXPECT_TRUE(options.start);
  EXPECT_TRUE(options.finish);
}

TEST(SimArgumentsTest, EveryOptionInBothSpellings) {
  const Options options =
      Parse({"-d", "/m", "--start-delay=1.5", "--send-time", "0", "-o", "2,3", "--detail", "a",
             "--detail=b", "--stale", "1,6", "--no-finish", "-v", "-n"});
  EXPECT_EQ(options.dir, "/m");
  EXPECT_EQ(options.start_delay, 1.5);
  EXPECT_EQ(options.send_time, 0);
  EXPECT_EQ(options.outcomes, (std::vector<int>{2, 3}));
  EXPECT_EQ(options.detail_lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(options.stale, (std::vector<int>{1, 6}));
  EXPECT_FALSE(options.finish);
  EXPECT_TRUE(options.verbose);
  EXPECT_TRUE(options.dry_run);
}

TEST(SimArgumentsTest, BesideAProgramMeansItsDirectory) {
  EXPECT_EQ(Parse({"--beside", "/opt/varnel/varnel"}).dir, "/opt/varnel");
  EXPECT_EQ(Parse({"--beside", "C:\\Tools\\varnel.exe"}).dir, "C:\\Tools");
  EXPECT_EQ(Parse({"--beside", "/varnel"}).dir, "/");
  EXPECT_EQ(Parse({"--beside=varnel"}).dir, ".");
}

TEST(SimArgumentsTest, OutcomeZeroMeansSuccess) {
  EXPECT_TRUE(Parse({"--outcome", "0"}).outcomes.empty());
}

TEST(SimArgumentsTest, BadArgumentsAreRefusedWithAMessage) {
  const std::vector<std::vector<std::string>> bad = {
      {"--outcome", "5"},
      {"--outcome", "2,,3"},
      {"--outcome"},
      {"-o", "12"},
      {"--stale", "7"},
      {"--stale", "x"},
      {"--start-delay", "-1"},
      {"--send-time", "2s"},
      {"--send-time", "1e9"},
      {"--dir"},
      {"--dir="},
      {"--frobnicate"},
      {"extra"},
      {"--no-start=yes"},
      {"--detail", "a", "--detail-file", "f"},
  };
  for (const auto& args : bad) {
    const Parsed parsed = ParseArguments(args);
    EXPECT_NE(parsed.error, "") << args[0];
  }
  EXPECT_NE(ParseArguments({"--frobnicate"}).error.find("--frobnicate"), std::string::npos);
}

TEST(SimPlanTest, TheOutcomeMarkerWithItsTextComesBeforeTheFinishMarker) {
  EXPECT_EQ(
      Steps(Parse({"--start-delay", "3", "--send-time", "1", "-o", "3"}), "why\r\n"),
      (std::vector<std::string>{"wait 3.0", "E5.$$$", "wait 1.0", "E3.$$$:why\r\n", "E6.$$$"}));
}

TEST(SimPlanTest, SuccessIsStartThenFinish) {
  EXPECT_EQ(Steps(Parse({"--send-time", "0"})), (std::vector<std::string>{"E5.$$$", "E6.$$$"}));
}

TEST(SimPlanTest, DetailFilesGetTheSampleWhenNoTextIsGiven) {
  const std::vector<Step> steps = Plan(Parse({"-o", "1,2,3,4", "--send-time", "0"}), std::nullopt);
  ASSERT_EQ(steps.size(), 6U);
  EXPECT_EQ(steps[1].content, "");
  EXPECT_EQ(steps[2].content, SampleDetail(2));
  EXPECT_EQ(steps[3].content, SampleDetail(3));
  EXPECT_EQ(steps[4].content, "");
  EXPECT_EQ(steps[5].marker, 6);
}

TEST(SimPlanTest, Rehearsals) {
  // Never start: only the stale markers, made at once.
  EXPECT_EQ(Steps(Parse({"--no-start", "--stale", "1,6", "--start-delay", "5"})),
            (std::vector<std::string>{"E1.$$$", "E6.$$$"}));
  // Never finish: start and outcome, no finish.
  EXPECT_EQ(Steps(Parse({"--no-finish", "-o", "4", "--send-time", "0"})),
            (std::vector<std::string>{"E5.$$$", "E4.$$$"}));
  // Several outcome markers at once, in the order given, all before the finish.
  EXPECT_EQ(Steps(Parse({"-o", "4,2", "--send-time", "0"}), "t"),
            (std::vector<std::string>{"E5.$$$", "E4.$$$", "E2.$$$:t", "E6.$$$"}));
}

}  // namespace
}  // namespace varnel::sim
