// The real adapter on whatever machine runs the tests: there may be no keyboard at all.
#include "hidapi_transport.h"

#include <gtest/gtest.h>

#include "interface_path.h"

namespace tarsel {
namespace {

TEST(HidapiTransport, ListsOnlyPathsItCanOpenAgain) {
  HidapiTransport transport;
  for (const HidInterfaceInfo& info : transport.Enumerate()) {
    EXPECT_TRUE(ParseInterfacePath(info.path).has_value()) << info.path;
  }
}

TEST(HidapiTransport, RefusesPathsThatAreNotHidrawNodes) {
  HidapiTransport transport;
  EXPECT_EQ(transport.Open("/dev/null"), nullptr);
  EXPECT_EQ(transport.Open("/dev/hidraw4096#mi_03"), nullptr);  // no such node
}

}  // namespace
}  // namespace tarsel
