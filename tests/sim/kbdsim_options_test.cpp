#include "kbdsim_options.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "report_log.h"

namespace tarsel {
namespace {

using Args = std::vector<std::string>;

TEST(KbdsimOptions, ServeOptionsAreTaken) {
  const KbdsimCommand parsed =
      ParseKbdsimArguments({"--dir", "/tmp/x", "--log", "/tmp/l", "--page-delay-ms", "0",
                            "--drop-acks", "--stall-after", "0x10", "--exit-after", "7"});
  const auto* serve = std::get_if<ServeOptions>(&parsed);
  ASSERT_NE(serve, nullptr);
  EXPECT_EQ(serve->folder, "/tmp/x");
  EXPECT_EQ(serve->logFile, "/tmp/l");
  EXPECT_EQ(serve->pageDelay, std::chrono::milliseconds(0));
  EXPECT_TRUE(serve->dropAcks);
  EXPECT_EQ(serve->stallAfter, 16u);
  EXPECT_EQ(serve->exitAfter, 7u);

  const auto defaults = std::get<ServeOptions>(ParseKbdsimArguments({}));
  EXPECT_EQ(defaults.pageDelay, std::chrono::milliseconds(1));
  EXPECT_FALSE(defaults.dropAcks || defaults.stallAfter || defaults.exitAfter);
}

TEST(KbdsimOptions, PressTakesDecimalOrHexCodes) {
  const std::vector<std::pair<Args, uint8_t>> cases = {{{"press", "27"}, 27},
                                                       {{"press", "0x1B"}, 0x1B},
                                                       {{"press", "0xff"}, 0xFF},
                                                       {{"press", "0"}, 0}};
  for (const auto& [args, code] : cases) {
    const KbdsimCommand parsed = ParseKbdsimArguments(args);
    const auto* press = std::get_if<PressOptions>(&parsed);
    ASSERT_NE(press, nullptr) << args[1];
    EXPECT_EQ(press->keyCode, code);
  }
  const auto withDir = std::get<PressOptions>(ParseKbdsimArguments({"press", "--dir", "/d", "5"}));
  EXPECT_EQ(withDir.folder, "/d");
  EXPECT_EQ(withDir.keyCode, 5);
}

TEST(KbdsimOptions, BadArgumentsAreErrors) {
  const std::vector<Args> cases = {
      {"--verbose"},
      {"--dir"},
      {"--dir", ""},
      {"--page-delay-ms", "-1"},
      {"--page-delay-ms", "5ms"},
      {"--page-delay-ms", "60001"},
      {"--stall-after", ""},
      {"--exit-after", "0"},
      {"--exit-after", "99999999999999999999999"},
      {"extra"},
      {"press"},
      {"press", "256"},
      {"press", "0x"},
      {"press", "12", "13"},
      {"press", "12", "--log", "x"},
  };
  for (const Args& args : cases) {
    const KbdsimCommand parsed = ParseKbdsimArguments(args);
    const auto* error = std::get_if<OptionsError>(&parsed);
    ASSERT_NE(error, nullptr) << testing::PrintToString(args);
    EXPECT_FALSE(error->message.empty());
    EXPECT_EQ(error->message.find('\n'), std::string::npos);
  }
}

TEST(ReportLogLine, HasStampKindAndUpperCaseHex) {
  const uint8_t bytes[] = {0x00, 0x80, 0x0a, 0xff};
  EXPECT_EQ(FormatLogLine(std::chrono::microseconds(3'000'250), "feature-set", bytes),
            "3.000250 feature-set 00 80 0A FF\n");
  EXPECT_EQ(FormatLogLine(std::chrono::nanoseconds(999), "event", std::span<const uint8_t>{}),
            "0.000000 event\n");
}

}  // namespace
}  // namespace tarsel
