// The batch's navigation keys A, S, D and F: while registered, the program takes them for itself
// wherever its focus is, and no control of the program types them.
#pragma once

#include <functional>

namespace veltrix {

enum class NavigationKey { A, S, D, F };

class Hotkeys {
 public:
  // repeated: the key is held down and the platform repeats it.
  using Handler = std::function<void(NavigationKey key, bool repeated)>;

  virtual ~Hotkeys() = default;
  // Replaces an earlier registration.
  virtual void registerKeys(Handler handler) = 0;
  virtual void releaseKeys() = 0;
  virtual bool registered() const = 0;
};

}  // namespace veltrix
