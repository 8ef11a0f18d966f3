#include "platform/save_notice.h"

#include <stdexcept>

#include "platform/backup_name.h"

namespace velloxa {

void SaveNotice::replace(const std::string& path, const std::string& data) {
    try {
        files_.replace(path, data);
        if (is_backup(path) && !backup_told_) {
            out_ << "velloxa: " << backed_up_file(path)
                 << " could not be read whole; it is kept as it was in " << path
                 << " (the README tells how to restore it)" << std::endl;
            backup_told_ = true;
        }
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
