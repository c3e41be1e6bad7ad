#include "cli/message_loop.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace tarsel {
namespace {

TEST(MessageLoopTest, SendFromAnotherThreadRunsTheHandlerOnTheLoopThread) {
  MessageLoop loop;
  std::thread::id handledOn;
  loop.SetHandler([&](uint32_t message, uintptr_t wParam, intptr_t) -> intptr_t {
    handledOn = std::this_thread::get_id();
    return static_cast<intptr_t>(message + wParam);
  });
  auto sent = std::async(std::launch::async, [&] {
    const intptr_t result = loop.Send(1000, 5, 0);
    loop.Quit();
    return result;
  });
  EXPECT_TRUE(loop.Run(std::chrono::seconds(30)));
  EXPECT_EQ(sent.get(), 1005);
  EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST(MessageLoopTest, SendToALoopThatHasStoppedGivesUpInsteadOfWaitingForEver) {
  MessageLoop loop;
  loop.SetHandler([](uint32_t, uintptr_t, intptr_t) -> intptr_t { return 7; });
  EXPECT_FALSE(loop.Run(std::chrono::milliseconds(10)));  // ran, and ended by its limit
  auto sent = std::async(std::launch::async, [&] { return loop.Send(1000, 0, 0); });
  ASSERT_EQ(sent.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(sent.get(), 0);
}

}  // namespace
}  // namespace tarsel
