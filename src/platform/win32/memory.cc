#include "platform/memory.h"

namespace platform {

// Left to the Windows heap, whose own measures decide what it keeps; nothing is tuned here.
void KeepLargeBlocksForReuse() {}

}  // namespace platform
