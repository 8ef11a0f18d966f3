// Where the screen reader's controller listens: a local RPC endpoint named
// "NvdaCtlr.<session>.<desktop>" for the session of this process and the
// desktop of the calling thread.
#pragma once

#include <string>

namespace velloxa {

std::wstring nvda_endpoint();

}  // namespace velloxa
