#include "interface_path.h"

#include <gtest/gtest.h>

#include "device/feature_report.h"

namespace tarsel {
namespace {

TEST(InterfacePath, DecoratedPathsCarryTheMarkersTheLinkSearchesFor) {
  struct Case {
    InterfacePath path;
    std::string decorated;
    bool command;
    bool event;
  };
  const Case cases[] = {
      {{"/dev/hidraw3", 3, false}, "/dev/hidraw3#mi_03", true, false},
      {{"/dev/hidraw2", 2, true}, "/dev/hidraw2#mi_02&col04", false, true},
      {{"/dev/hidraw12", 3, true}, "/dev/hidraw12#mi_03&col04", true, true},
      {{"/dev/hidraw9", 0x13, false}, "/dev/hidraw9#mi_13", false, false},
      {{"/dev/hidraw0", -1, true}, "/dev/hidraw0#col04", false, true},  // not a USB interface
      {{"/dev/hidraw0", -1, false}, "/dev/hidraw0", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.decorated);
    const std::string decorated = DecorateInterfacePath(c.path);
    EXPECT_EQ(decorated, c.decorated);
    EXPECT_EQ(decorated.find(kCommandInterfaceMarker) != std::string::npos, c.command);
    EXPECT_EQ(decorated.find(kEventInterfaceMarker) != std::string::npos, c.event);

    const std::optional<InterfacePath> parsed = ParseInterfacePath(decorated);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->node, c.path.node);
    EXPECT_EQ(parsed->interfaceNumber, c.path.interfaceNumber);
    EXPECT_EQ(parsed->eventCollection, c.path.eventCollection);
  }
}

// Open() takes a path from outside; only hidraw nodes with markers this adapter writes pass.
TEST(InterfacePath, RejectsAnythingButADecoratedHidrawNode) {
  for (const char* path :
       {"", "/dev/sda", "/dev/hidraw", "/dev/hidrawX", "/dev/hidraw1x", "/dev/hidraw1/../sda",
        "../dev/hidraw1", "/dev/hidraw1#", "/dev/hidraw1#mi_3", "/dev/hidraw1#mi_0G",
        "/dev/hidraw1#col05", "/dev/hidraw1#mi_03&", "/dev/hidraw1#mi_03&mi_04",
        "/dev/hidraw1#col04&col04", "/dev/hidraw1#mi_03#col04"}) {
    EXPECT_FALSE(ParseInterfacePath(path).has_value()) << path;
  }
  EXPECT_EQ(HidrawName("/dev/hidraw17"), "hidraw17");
  EXPECT_FALSE(HidrawName("/dev/hidraw17/..").has_value());
}

}  // namespace
}  // namespace tarsel
