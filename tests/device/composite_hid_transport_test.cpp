#include "device/composite_hid_transport.h"

#include <gtest/gtest.h>

#include "device/fake_hid.h"

namespace tarsel {
namespace {

using testing::FakeHidTransport;
using testing::Journal;

TEST(CompositeHidTransport, ListsSourcesInOrderAndOpensThroughTheOneThatListedThePath) {
  Journal journal;
  auto real = std::make_unique<FakeHidTransport>(journal);
  auto simulator = std::make_unique<FakeHidTransport>(journal);
  real->AddInterface("/dev/hidraw0#mi_00", 0x046D, 0xC52B);
  real->AddInterface("shared", 1, 1);
  simulator->AddInterface("sim#mi_03", 0x04D9, 0xA1DD);
  simulator->AddInterface("shared", 2, 2);
  FakeHidTransport& realRef = *real;
  FakeHidTransport& simulatorRef = *simulator;
  CompositeHidTransport composite;
  composite.Add(std::move(real));
  composite.Add(std::move(simulator));

  const std::vector<HidInterfaceInfo> all = composite.Enumerate();
  std::vector<std::string> paths;
  for (const HidInterfaceInfo& info : all) paths.push_back(info.path);
  EXPECT_EQ(paths,
            (std::vector<std::string>{"/dev/hidraw0#mi_00", "shared", "sim#mi_03", "shared"}));

  EXPECT_NE(composite.Open("sim#mi_03"), nullptr);
  EXPECT_NE(composite.Open("shared"), nullptr);  // the earlier source keeps a path listed twice
  EXPECT_EQ(composite.Open("never-listed"), nullptr);
  EXPECT_EQ(realRef.OpenedPaths(), std::vector<std::string>{"shared"});
  EXPECT_EQ(simulatorRef.OpenedPaths(), std::vector<std::string>{"sim#mi_03"});
}

TEST(CompositeHidTransport, ForgetsPathsThatAreNoLongerListed) {
  Journal journal;
  auto simulator = std::make_unique<FakeHidTransport>(journal);
  FakeHidTransport& simulatorRef = *simulator;
  CompositeHidTransport composite;
  composite.Add(std::make_unique<FakeHidTransport>(journal));
  composite.Add(std::move(simulator));
  EXPECT_TRUE(composite.Enumerate().empty());

  simulatorRef.AddInterface("sim#mi_03", 0x04D9, 0xA1DD);
  EXPECT_EQ(composite.Open("sim#mi_03"), nullptr) << "not listed at the last enumeration";
  composite.Enumerate();
  EXPECT_NE(composite.Open("sim#mi_03"), nullptr);
}

}  // namespace
}  // namespace tarsel
