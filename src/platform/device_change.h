// Device-change source port: tells the program that a keyboard may have arrived or left.
#pragma once

#include <functional>

namespace tarsel {

enum class DeviceChange {
  Arrival,  // an interface of the keyboard (or the simulator) appeared
  Removal,  // one disappeared
};

class DeviceChangeSource {
 public:
  using Handler = std::function<void(DeviceChange)>;
  virtual ~DeviceChangeSource() = default;
  // Starts watching; handler runs on the source's own thread, so the receiver hands the event to
  // its UI thread (post, never a blocking send). False when the watch cannot be set up.
  virtual bool Start(Handler handler) = 0;
  // Stops watching; when it returns the handler is no longer running and will not run again.
  virtual void Stop() = 0;
};

}  // namespace tarsel
