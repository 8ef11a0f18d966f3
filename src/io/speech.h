// Speech route state.
#pragma once

namespace velloxa {

struct Speech {
    int speechmode = 0;
    int sapion = 0;
    double sapirate = 0;
    int jawson = 0;
    int sendingkeys = 0;
};

}  // namespace velloxa
