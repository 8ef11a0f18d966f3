#include "platform/save_notice.h"

#include <stdexcept>

namespace velloxa {

void SaveNotice::replace(const std::string& path, const std::string& data) {
    try {
        files_.replace(path, data);
    } catch (const std::runtime_error& e) {
        if (!told_) {
            const size_t slash = path.find_last_of('/');
            const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
            out_ << "velloxa: progress cannot be saved in " << folder << ": " << e.what()
                 << std::endl;
            told_ = true;
        }
        throw;
    }
}

}  // namespace velloxa
