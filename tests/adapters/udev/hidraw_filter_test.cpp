// Which udev hidraw events mean the keyboard came or went.
#include "udev/hidraw_filter.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(HidrawFilterTest, ClassifiesByTheHidDeviceInThePath) {
  const char* keyboard =
      "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:04D9:A1DD.0007/hidraw/hidraw4";
  struct Case {
    const char* action;
    const char* devpath;
    HidrawAction expected;
  } cases[] = {
      {"add", keyboard, HidrawAction::Arrival},
      {"remove", keyboard, HidrawAction::Removal},
      {"change", keyboard, HidrawAction::Ignore},
      {"bind", keyboard, HidrawAction::Ignore},
      // lower-case hex is accepted
      {"add", "/devices/x/0003:04d9:a1dd.000A/hidraw/hidraw1", HidrawAction::Arrival},
      // another product of the same maker, another maker's keyboard
      {"add", "/devices/x/0003:04D9:A1DE.0001/hidraw/hidraw1", HidrawAction::Ignore},
      {"remove", "/devices/x/0003:046D:C52B.0002/hidraw/hidraw2", HidrawAction::Ignore},
      // the ids must sit in the HID device's own name, not anywhere in the path
      {"add", "/devices/x/04D9:A1DD/hidraw/hidraw1", HidrawAction::Ignore},
      {"add", "/devices/x/0003:04D9:A1DDX.0001/hidraw/hidraw1", HidrawAction::Ignore},
      {"add", "", HidrawAction::Ignore},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyHidrawEvent(c.action, c.devpath), c.expected) << c.action << " " << c.devpath;
  }
}

}  // namespace
}  // namespace tarsel
