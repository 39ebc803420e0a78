// How the program's memory is handed back to the system.
#pragma once

namespace platform {

// Keeps freed blocks of up to 64 MB in the program for its next use instead of handing them back
// to the system at once. A block handed back and asked for again is new memory, every page of it
// cleared by the system on first touch, which for a block of many megabytes can cost more than
// the work done with it. Call once, at start, before any such block is asked for.
void KeepLargeBlocksForReuse();

}  // namespace platform
